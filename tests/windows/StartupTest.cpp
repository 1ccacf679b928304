#include "MainWindowFixture.h"
#include "widgets/StartPanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QTabWidget>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

class Startup : public MainWindowFixture
{
protected:
    void storeDefaults(const std::function<void(TEinst&)>& change)
    {
        TEinst stored;
        stored.SetDefaults();
        change(stored);
        stored.SaveToRegistry(store, 0);
    }

    /** Makes the main window the active one, as the window manager does when a dialog has closed
     *  (the offscreen platform leaves that to the test); a dialog's own activation comes first. */
    void activateMain()
    {
        QCoreApplication::processEvents();
        QApplication::setActiveWindow(main.get());
    }
};

TEST_F(Startup, WithoutStoredKeyTheConstructorDefaultsAreInForce)
{
    create();
    TEinst defaults;
    EXPECT_EQ(main->CurrentOptions().options(), defaults.options());
    EXPECT_TRUE(store.tree.isEmpty()); // nothing is written at start
}

TEST_F(Startup, StoredDefaultSetIsLoaded)
{
    storeDefaults([](TEinst& o) {
        o.SetName(QStringLiteral("Standard"));
        o.SetAktion(AktionStandby);
        o.SetSekunden(42);
    });
    create();
    EXPECT_EQ(main->CurrentOptions().GetName(), QStringLiteral("Standard"));
    EXPECT_EQ(main->CurrentOptions().GetAktion(), AktionStandby);
    EXPECT_EQ(main->CurrentOptions().GetZeitMode(), ZeitCountdown);
    EXPECT_EQ(time()[2], 42);
}

class SofortStart : public Startup, public ::testing::WithParamInterface<bool>
{};

TEST_P(SofortStart, StartsTheRunAtTheFirstClockTickAfterShowingAndOnlyThen)
{
    const bool sofort = GetParam();
    storeDefaults([sofort](TEinst& o) {
        o.SetSofortStart(sofort);
        o.SetSekunden(3);
    });
    createAndShow();
    EXPECT_FALSE(running());
    advance(999);
    EXPECT_FALSE(running());
    EXPECT_EQ(ui().Label_TimeNow->text(), QString());
    advance(1); // the first clock tick, one second after the window appeared
    EXPECT_EQ(running(), sofort);
    EXPECT_EQ(ui().Label_TimeNow->text(), QStringLiteral("10:00:01"));
    advance(2'000); // without the option nothing starts up to the countdown's length
    EXPECT_EQ(running(), sofort);

    // Only the first tick starts a run by itself.
    ui().Btn_Reset->click();
    advance(5'000);
    EXPECT_FALSE(running());
}

INSTANTIATE_TEST_SUITE_P(Option, SofortStart, ::testing::Bool());

TEST_F(Startup, WindowComesUpWithTheSettingsFoldedInAndTheButtonSwitchesTheHeight)
{
    createAndShow();
    EXPECT_EQ(main->outerHeight(), 250);
    EXPECT_FALSE(ui().PageControl1->isVisible());
    ui().Btn_Config->click();
    EXPECT_EQ(main->outerHeight(), 527);
    EXPECT_TRUE(ui().PageControl1->isVisible());
    ui().Einstellungen1->trigger();
    EXPECT_EQ(main->outerHeight(), 250);
    ui().Einstellungen1->trigger();
    EXPECT_EQ(main->outerHeight(), 527);
}

TEST_F(Startup, EachShowingResetsCaptionPageAndClock)
{
    createAndShow();
    advance(1'500); // the first clock tick at 10:00:01
    ui().Btn_Config->click();
    ui().PageControl1->setCurrentIndex(2);
    main->CurrentOptions().SetMinimize(true);
    main->hide();
    main->show();
    EXPECT_EQ(ui().PageControl1->currentIndex(), 0);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90"));
    EXPECT_TRUE(ui().Start->CBx_Minimize->isChecked());
    // The clock starts anew with the showing, and ticks at the clock's next full second.
    advance(499);
    EXPECT_EQ(ui().Label_TimeNow->text(), QStringLiteral("10:00:01"));
    advance(1);
    EXPECT_EQ(ui().Label_TimeNow->text(), QStringLiteral("10:00:02"));
    EXPECT_EQ(main->outerHeight(), 527); // only the first showing folds the settings in
}

TEST_F(Startup, EnterStartsTheRunWheneverStartIsEnabled)
{
    createAndShow();
    activateMain();
    setCountdown(0, 1, 0);
    QSignalSpy closed(main.get(), &TMain::closed);
    // Enter as the keyboard sends it: to the control that has the focus, through the window system.
    const auto pressEnter = [this] {
        QTest::keyClick(main->windowHandle(), Qt::Key_Return);
    };
    const auto stopWithTheMouse = [this] {
        QTest::mouseClick(ui().Btn_Reset, Qt::LeftButton);
    };
    const std::function<void()> ways[] = {
        [] {}, // a window fresh from the start
        stopWithTheMouse,
        [&] {
            stopWithTheMouse();
            modal.actions[QStringLiteral("Deinstallation")] = [](QDialog& dialog) {
                QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Btn_Abbruch")), Qt::LeftButton);
            };
            ui().Programmdeinstallieren1->trigger();
            activateMain();
        },
        [this] { advance(62'000); }, // the run expired
        [&] {
            stopWithTheMouse();
            ui().Eingabe->Ed_Stunden->setFocus(); // a field that the run disables
        },
    };
    for (const auto& before : ways) {
        before();
        ASSERT_FALSE(running());
        pressEnter();
        EXPECT_TRUE(running());
        pressEnter(); // while the run goes on, Enter neither stops it nor ends the program
        EXPECT_TRUE(running());
        EXPECT_EQ(closed.count(), 0);
    }
}

TEST_F(Startup, MenusAndTheirEntriesAreReachableFromTheKeyboard)
{
    createAndShow();
    activateMain();
    QSignalSpy closed(main.get(), &TMain::closed);
    const auto press = [](QWindow* window, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
        QGuiApplication::sendEvent(window, &event);
    };

    QTest::keyClick(main->windowHandle(), Qt::Key_F10);
    EXPECT_EQ(QApplication::activePopupWidget(), ui().MenuDatei);
    ui().MenuDatei->hide();

    // Alt and the menu's letter, then the entry's letter.
    struct Entry
    {
        Qt::Key menu;
        QMenu* popup;
        Qt::Key key;
        QString letter;
        QAction* entry;
    };
    const Entry entries[] = {
        {Qt::Key_O, ui().MenuOptionen, Qt::Key_E, QStringLiteral("e"), ui().Einstellungen1},
        {Qt::Key_O, ui().MenuOptionen, Qt::Key_P, QStringLiteral("p"), ui().Programmdeinstallieren1},
        {Qt::Key_H, ui().MenuHilfe, Qt::Key_H, QStringLiteral("h"), ui().Hilfe1},
        {Qt::Key_H, ui().MenuHilfe, Qt::Key_Udiaeresis, QStringLiteral("ü"), ui().Info2},
        {Qt::Key_D, ui().MenuDatei, Qt::Key_B, QStringLiteral("b"), ui().Beenden1},
    };
    for (const Entry& entry : entries) {
        QSignalSpy triggered(entry.entry, &QAction::triggered);
        QTest::keyClick(main->windowHandle(), entry.menu, Qt::AltModifier);
        ASSERT_EQ(QApplication::activePopupWidget(), entry.popup) << entry.letter.toStdString();
        press(entry.popup->windowHandle(), entry.key, Qt::NoModifier, entry.letter);
        EXPECT_EQ(triggered.count(), 1) << entry.letter.toStdString();
        EXPECT_FALSE(entry.popup->isVisible());
        activateMain();
    }
    EXPECT_EQ(modal.shown,
              (QStringList{QStringLiteral("Deinstallation"), QStringLiteral("Hilfe"), QStringLiteral("Infofenster")}));
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(Startup, SaveButtonStoresTheCurrentOptionsAsDefaultSet)
{
    createAndShow();
    main->CurrentOptions().SetNachricht(QStringLiteral("Tee"));
    ui().Btn_Speichern->click();
    TEinst loaded;
    loaded.LoadFromRegistry(store, 0);
    EXPECT_EQ(loaded.options(), main->CurrentOptions().options());
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(Startup, FailedSaveIsReportedByTheGeneralErrorHandler)
{
    createAndShow();
    store.failWrites = true;
    ui().Btn_Speichern->click();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Kelvaro"));
    EXPECT_TRUE(boxes.boxes[0].text.endsWith(u'.'));
}

TEST_F(Startup, CheckBoxesOfTheStartPageWriteTheirOptions)
{
    createAndShow();
    ui().Btn_Config->click();
    ui().PageControl1->setCurrentWidget(ui().Sonstiges);
    QTest::mouseClick(ui().Start->CBx_ClosePgm, Qt::LeftButton, {}, QPoint(4, 8));
    QTest::mouseClick(ui().Start->CBx_Sofortstart, Qt::LeftButton, {}, QPoint(4, 8));
    EXPECT_TRUE(main->CurrentOptions().GetClosePgm());
    EXPECT_TRUE(main->CurrentOptions().GetSofortStart());
    EXPECT_FALSE(main->CurrentOptions().GetMinimize());
}

TEST_F(Startup, ClosingInClockTimeModeResetsAnIncompleteTime)
{
    createAndShow();
    setClockTime(7, 30, 0);
    main->ShowOptions();
    main->ui().Eingabe->Ed_Uhrzeit->setText(QStringLiteral("1"));
    QSignalSpy closed(main.get(), &TMain::closed);
    main->close();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(ui().Eingabe->uhrzeitText(), QStringLiteral("00:00:00"));
    EXPECT_EQ(time(), (std::array<qint32, 3>{7, 30, 0})); // the options keep their values
}

TEST_F(Startup, TrayMenuStartsAndStopsTheRun)
{
    createAndShow();
    setCountdown(0, 1, 0);
    ui().Start1->trigger();
    EXPECT_TRUE(running());
    ui().Stop1->trigger();
    EXPECT_FALSE(running());
}

TEST(GeneralErrorHandler, AppendsAPeriodOnlyAfterCharactersThatSortAfterIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Datei fehlt", "Datei fehlt."},
        {"Fertig.", "Fertig."},
        {"Was?", "Was?."},
        {"Ende!", "Ende!"},
        {"Liste,", "Liste,"},
        {"Zahl 5", "Zahl 5."},
        {"", ""},
        {"Leer ", "Leer "},
        {"ä", "ä."},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(GeneralErrorHandler::withPeriod(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

} // namespace
