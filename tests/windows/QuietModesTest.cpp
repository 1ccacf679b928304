// The settings of the time modes "Inaktivität" and "Leerlauf" in the main window and the preset editor.
#include "MainWindowFixture.h"
#include "widgets/QuietLimitsPanel.h"

#include <QApplication>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

/** One of the two settings views: its window, time entry and options, a control the focus can move
 *  to, and its ShowOptions. */
struct View
{
    QWidget* window;
    TimeEntryBox* entry;
    TEinst* options;
    QWidget* elsewhere;
    std::function<void()> showOptions;
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

    QList<View> views()
    {
        return {{main.get(), ui().Eingabe, &main->CurrentOptions(), ui().Btn_Beenden,
                 [this] {
                     main->ShowOptions();
                 }},
                {einstellungen.get(), einstellungen->Eingabe, &einstellungen->EditorOptions(),
                 einstellungen->Btn_Schliessen, [this] {
                     einstellungen->ShowOptions();
                 }}};
    }
};

TEST_F(QuietModes, ModeListMapsItemsToModesInBothWindowsAndShowsTheirPanels)
{
    const QList<std::pair<const char*, quint8>> items{
        {"Countdown", ZeitCountdown},       {"Zeitpunkt", ZeitUhrzeit},        {"Stopuhr", ZeitStopuhr},
        {"Programmende", ZeitProgrammende}, {"Inaktivität", ZeitInaktivitaet}, {"Leerlauf", ZeitLeerlauf}};
    for (const View& view : views()) {
        const bool editor = view.window == einstellungen.get(); // the editor has no stopwatch item
        QComboBox* list = view.entry->CBx_Zeit;
        int i = 0;
        for (const auto& [text, mode] : items) {
            SCOPED_TRACE(text);
            if (editor && mode == ZeitStopuhr)
                continue;
            ASSERT_EQ(list->itemText(i), QString::fromUtf8(text));
            // Chosen by the user: stored, and its panels shown.
            list->setCurrentIndex(i);
            Q_EMIT list->activated(i);
            EXPECT_EQ(view.options->GetZeitMode(), mode);
            const bool countdownFields = mode == ZeitCountdown || mode == ZeitInaktivitaet || mode == ZeitLeerlauf;
            EXPECT_EQ(view.entry->P_Countdown->isHidden(), !countdownFields);
            EXPECT_EQ(view.entry->P_Leerlauf->isHidden(), mode != ZeitLeerlauf);
            // Shown from the options: the same item comes back.
            list->setCurrentIndex(0);
            view.showOptions();
            EXPECT_EQ(list->currentIndex(), i++);
        }
        EXPECT_EQ(list->count(), i);
        // In the editor a stored stopwatch chooses no item; an unknown mode leaves the controls as they were.
        view.options->SetZeitMode(ZeitStopuhr);
        view.showOptions();
        EXPECT_EQ(list->currentIndex(), editor ? -1 : 2);
        view.options->SetZeitMode(9);
        view.showOptions();
        EXPECT_FALSE(view.entry->P_Stopuhr->isHidden());
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
    for (const View& view : views()) {
        SCOPED_TRACE(view.window->objectName().toStdString());
        boxes.boxes.clear();
        view.options->SetZeitMode(ZeitLeerlauf);
        view.options->SetLeerlaufCpu(10);
        view.options->SetLeerlaufNetz(50);
        view.showOptions();
        view.window->show();
        QCoreApplication::processEvents();
        QApplication::setActiveWindow(view.window);
        const bool cpu = c.limit == QuietLimitsPanel::Cpu;
        QLineEdit* field = cpu ? view.entry->P_Leerlauf->Ed_LeerlaufCPU : view.entry->P_Leerlauf->Ed_LeerlaufNetz;
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, QString::fromUtf8(c.typed));
        view.elsewhere->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();

        EXPECT_EQ(cpu ? view.options->GetLeerlaufCpu() : view.options->GetLeerlaufNetz(), c.stored);
        EXPECT_EQ(field->text(), QString::number(c.stored));
        EXPECT_EQ(boxes.boxes.size(), c.warned ? 1 : 0);
        EXPECT_EQ(field->hasFocus(), c.warned); // back for a new entry after a warning
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
