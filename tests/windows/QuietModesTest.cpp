// The settings of the time modes "Inaktivität" and "Leerlauf" in the main window and the preset editor.
#include "MainWindowFixture.h"
#include "widgets/QuietLimitsPanel.h"

#include <QApplication>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

/** One of the two settings views: its time entry, its options and a control the focus can move to. */
struct View
{
    QWidget* window;
    TimeEntryBox* entry;
    TEinst* options;
    QWidget* elsewhere;
};

class QuietModes : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        createAndShow();
    }
    void TearDown() override
    {
        einstellungen->hide();
        MainWindowFixture::TearDown();
    }

    View mainView() { return {main.get(), ui().Eingabe, &main->CurrentOptions(), ui().Btn_Beenden}; }
    View editorView()
    {
        return {einstellungen.get(), einstellungen->Eingabe, &einstellungen->EditorOptions(),
                einstellungen->Btn_Schliessen};
    }
};

TEST_F(QuietModes, ModeListMapsItemsToModesInBothWindowsAndShowsTheirPanels)
{
    const QStringList withStopwatch =
        QString::fromUtf8("Countdown,Zeitpunkt,Stopuhr,Programmende,Inaktivität,Leerlauf").split(QLatin1Char(','));
    const QList<quint8> mainModes{ZeitCountdown,    ZeitUhrzeit,      ZeitStopuhr,
                                  ZeitProgrammende, ZeitInaktivitaet, ZeitLeerlauf};
    QStringList withoutStopwatch = withStopwatch;
    withoutStopwatch.removeAt(2);
    QList<quint8> editorModes = mainModes;
    editorModes.removeAt(2);
    const struct
    {
        View view;
        QStringList items;
        QList<quint8> modes;
        std::function<void()> showOptions;
    } windows[] = {{mainView(), withStopwatch, mainModes,
                    [this] {
                        main->ShowOptions();
                    }},
                   {editorView(), withoutStopwatch, editorModes, [this] {
                        einstellungen->ShowOptions();
                    }}};
    for (const auto& w : windows) {
        QComboBox* list = w.view.entry->CBx_Zeit;
        QStringList items;
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        EXPECT_EQ(items, w.items);
        for (int i = 0; i < list->count(); ++i) {
            SCOPED_TRACE(items[i].toStdString());
            // Chosen by the user: stored, and its panels shown.
            list->setCurrentIndex(i);
            Q_EMIT list->activated(i);
            const quint8 mode = w.modes[i];
            EXPECT_EQ(w.view.options->GetZeitMode(), mode);
            const bool countdownFields = mode == ZeitCountdown || mode == ZeitInaktivitaet || mode == ZeitLeerlauf;
            EXPECT_EQ(w.view.entry->P_Countdown->isHidden(), !countdownFields);
            EXPECT_EQ(w.view.entry->P_Leerlauf->isHidden(), mode != ZeitLeerlauf);
            // Shown from the options: the same item comes back.
            list->setCurrentIndex(0);
            w.showOptions();
            EXPECT_EQ(list->currentIndex(), i);
        }
        // The editor has no stopwatch item: nothing is chosen, the stopwatch panel shown.
        w.view.options->SetZeitMode(ZeitStopuhr);
        w.showOptions();
        EXPECT_EQ(list->currentIndex(), w.items.size() == withStopwatch.size() ? 2 : -1);
        EXPECT_FALSE(w.view.entry->P_Stopuhr->isHidden());
        // An unknown mode leaves the controls as they were.
        w.view.options->SetZeitMode(9);
        w.showOptions();
        EXPECT_FALSE(w.view.entry->P_Stopuhr->isHidden());
        EXPECT_TRUE(w.view.entry->P_Leerlauf->isHidden());
    }
}

struct LimitCase
{
    QuietLimitsPanel::Limit limit;
    const char* typed;
    qint32 stored; // what the field then shows
    bool warned;
};

class LimitFields : public QuietModes, public ::testing::WithParamInterface<LimitCase>
{};

TEST_P(LimitFields, TakeAWholeNumberInRangeOrWarnAndShowTheStoredLimit)
{
    const LimitCase& c = GetParam();
    for (const View& view : {mainView(), editorView()}) {
        SCOPED_TRACE(view.window->objectName().toStdString());
        boxes.boxes.clear();
        view.options->SetZeitMode(ZeitLeerlauf);
        view.options->SetLeerlaufCpu(10);
        view.options->SetLeerlaufNetz(50);
        view.entry->showOptions(*view.options);
        view.window->show();
        QCoreApplication::processEvents();
        QApplication::setActiveWindow(view.window);
        QLineEdit* field = c.limit == QuietLimitsPanel::Cpu ? view.entry->P_Leerlauf->Ed_LeerlaufCPU
                                                            : view.entry->P_Leerlauf->Ed_LeerlaufNetz;
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, QString::fromUtf8(c.typed));
        view.elsewhere->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();

        const qint32 stored =
            c.limit == QuietLimitsPanel::Cpu ? view.options->GetLeerlaufCpu() : view.options->GetLeerlaufNetz();
        EXPECT_EQ(stored, c.stored);
        EXPECT_EQ(field->text(), QString::number(c.stored));
        EXPECT_EQ(boxes.boxes.size(), c.warned ? 1 : 0);
        if (c.warned) {
            EXPECT_TRUE(field->hasFocus()); // back for a new entry
        }
        // The other limit is untouched.
        EXPECT_EQ(c.limit == QuietLimitsPanel::Cpu ? view.options->GetLeerlaufNetz() : view.options->GetLeerlaufCpu(),
                  c.limit == QuietLimitsPanel::Cpu ? 50 : 10);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, LimitFields,
    ::testing::Values(
        LimitCase{QuietLimitsPanel::Cpu, "x", 10, true}, LimitCase{QuietLimitsPanel::Cpu, "-1", 10, true},
        LimitCase{QuietLimitsPanel::Cpu, "101", 10, true}, LimitCase{QuietLimitsPanel::Cpu, "", 10, true},
        LimitCase{QuietLimitsPanel::Cpu, "0", 0, false}, LimitCase{QuietLimitsPanel::Cpu, "100", 100, false},
        LimitCase{QuietLimitsPanel::Cpu, "$1E", 30, false}, LimitCase{QuietLimitsPanel::Netz, "x", 50, true},
        LimitCase{QuietLimitsPanel::Netz, "-1", 50, true}, LimitCase{QuietLimitsPanel::Netz, "99999999999", 50, true},
        LimitCase{QuietLimitsPanel::Netz, "0", 0, false}, LimitCase{QuietLimitsPanel::Netz, "125000", 125000, false}));

} // namespace
