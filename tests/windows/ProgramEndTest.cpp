// Runs that wait for the end of a program (time mode "Programmende"), on recorded processes.
#include "MainWindowFixture.h"
#include "widgets/ProgramChoice.h"

#include <QAction>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

class ProgramEnd : public MainWindowFixture
{
protected:
    /** A window waiting for `program` to end before `action`; started at 10:00:00. */
    void startWaiting(const QString& program, quint8 action)
    {
        createAndShow();
        TEinst& o = main->CurrentOptions();
        o.SetZeitMode(ZeitProgrammende);
        o.SetProgramm(program);
        o.SetAktion(action);
        o.SetNachricht(QStringLiteral("fertig"));
        main->ShowOptions();
        ui().Btn_Start->click();
    }

    QImage trayImage() const { return trayShell.icon.pixmap(32, 32).toImage(); }
};

TEST_F(ProgramEnd, WaitsShowingTheTimeElapsedAndActsOnceNoProcessOfTheNameIsLeft)
{
    processes.programs = {{4711, QStringLiteral("wget")}, {4712, QStringLiteral("wget")}};
    startWaiting(QStringLiteral("wget"), AktionNachricht);
    EXPECT_TRUE(running());
    EXPECT_FALSE(ui().Eingabe->CBx_Programm->isEnabled());
    EXPECT_FALSE(ui().Spaeter1->isEnabled()); // no end to move yet
    EXPECT_EQ(ui().Label9->text(), QStringLiteral("10:00:00"));
    EXPECT_EQ(ui().Label11->text(), QString());
    EXPECT_EQ(ui().L_Restzeit->text(), QStringLiteral("Vergangene Zeit:"));

    advance(5'000);
    EXPECT_EQ(ui().Label7->text(), QStringLiteral("00:00:05"));
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90  [wartet auf wget]"));
    EXPECT_EQ(main->trayHint(), QStringLiteral("Kelvaro  [wartet auf wget]"));
    const QImage before = trayImage();
    advance(1'000);
    EXPECT_NE(trayImage(), before) << "the ring turns while the run waits";

    processes.end(4711);
    advance(60'000);
    EXPECT_TRUE(running());
    EXPECT_TRUE(modal.shown.isEmpty());
    processes.end(4712);
    advance(0); // the message comes at once, with no lead time
    EXPECT_EQ(modal.shown, QStringList{QStringLiteral("Nachricht")});
    EXPECT_FALSE(running());
    EXPECT_EQ(ui().L_Restzeit->text(), QStringLiteral("Verbleibende Zeit:"));
}

TEST_F(ProgramEnd, ProgramThatDoesNotRunOrNoneStartsNothing)
{
    processes.programs = {{4711, QStringLiteral("wget")}};
    const std::pair<const char*, const char*> cases[] = {{"curl", "Das Programm curl läuft nicht."},
                                                         {" 4712 ", "Das Programm 4712 läuft nicht."},
                                                         {" ", "Fehler - Kein Programm eingegeben"}};
    for (const auto& [program, box] : cases) {
        startWaiting(QString::fromUtf8(program), AktionShutdown);
        EXPECT_FALSE(running());
        ASSERT_FALSE(boxes.boxes.isEmpty());
        EXPECT_EQ(boxes.boxes.last().caption, QStringLiteral("Warning"));
        EXPECT_EQ(boxes.boxes.last().text, QString::fromUtf8(box));
        EXPECT_EQ(processes.watching(), 0);
        main.reset();
    }
}

TEST_F(ProgramEnd, StopWhileWaitingEndsTheWatch)
{
    processes.programs = {{4711, QStringLiteral("wget")}};
    startWaiting(QStringLiteral("wget"), AktionShutdown);
    advance(2'000);
    ui().Stop1->trigger();
    EXPECT_FALSE(running());
    EXPECT_EQ(processes.watching(), 0);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90"));
    EXPECT_EQ(main->trayRingStep(), -1);
    processes.end(4711);
    advance(120'000);
    EXPECT_TRUE(power.calls.isEmpty());
}

TEST_F(ProgramEnd, FieldListsTheRunningProgramsInBothWindowsAndTakesANumberOrAName)
{
    processes.programs = {{4711, QStringLiteral("wget")}, {815, QStringLiteral("rsync")}};
    createAndShow();
    const std::pair<TimeEntryBox*, TEinst*> windows[] = {{ui().Eingabe, &main->CurrentOptions()},
                                                         {einstellungen->Eingabe, &einstellungen->EditorOptions()}};
    for (const auto& [entry, options] : windows) {
        const int item = entry->CBx_Zeit->findText(QStringLiteral("Programmende"));
        entry->CBx_Zeit->setCurrentIndex(item);
        Q_EMIT entry->CBx_Zeit->activated(item);
        EXPECT_EQ(options->GetZeitMode(), ZeitProgrammende);
        EXPECT_FALSE(entry->P_Programmende->isHidden());
        EXPECT_TRUE(entry->P_Countdown->isHidden());

        ProgramChoice* field = entry->CBx_Programm;
        field->showPopup(); // the list is read as it opens
        QStringList listed;
        for (int i = 0; i < field->count(); ++i)
            listed << field->itemText(i);
        EXPECT_EQ(listed, (QStringList{QStringLiteral("wget (4711)"), QStringLiteral("rsync (815)")}));
        field->hidePopup();
        field->setCurrentIndex(1);
        Q_EMIT field->activated(1);
        EXPECT_EQ(field->currentText(), QStringLiteral("815"));
        EXPECT_EQ(options->GetProgramm(), QStringLiteral("815"));

        field->lineEdit()->clear();
        QTest::keyClicks(field->lineEdit(), QStringLiteral("wget"));
        EXPECT_EQ(options->GetProgramm(), QStringLiteral("wget"));
    }
    EXPECT_EQ(processes.lists, 2);
}

} // namespace
