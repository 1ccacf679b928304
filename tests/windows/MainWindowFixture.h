#pragma once

#include "core/MediaPlayer.h"
#include "core/RunTrace.h"
#include "mock/FakeAudioDevice.h"
#include "mock/FakeClock.h"
#include "mock/FakeOsVersionQuery.h"
#include "mock/MemoryRegistryStore.h"
#include "mock/QtPrinters.h"
#include "mock/RecordingActions.h"
#include "mock/RecordingMessageBoxes.h"
#include "mock/RecordingNotifications.h"
#include "mock/RecordingTrayShell.h"
#include "mock/ScriptedFileDialogs.h"
#include "mock/ScriptedInputBox.h"
#include "mock/ScriptedModalRunner.h"
#include "mock/VirtualTimerService.h"
#include "widgets/StatusPanels.h"
#include "widgets/TimeEntryBox.h"
#include "windows/TDeinstallation.h"
#include "windows/TEinstellungen.h"
#include "windows/THilfe.h"
#include "windows/TInfofenster.h"
#include "windows/TMain.h"
#include "windows/TNachricht.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <memory>

namespace kelvaro::test {

/**
 * A main window on doubles: an injected clock with virtual timers, an in-memory store, recorded
 * boxes and actions. Time moves with advance(): the clock and every timer of the windows together.
 */
class MainWindowFixture : public ::testing::Test
{
protected:
    FakeClock clock;
    VirtualTimerService timers{clock};
    MemoryRegistryStore store;
    RecordingMessageBoxes boxes;
    ScriptedModalRunner modal;
    RecordingPowerActions power;
    RecordingExpirySound sound;
    /** The expiry sound the window uses: the recording double unless a test chooses another. */
    ExpirySound* expirySound = &sound;
    FakeAudioDevice audio;
    MediaPlayer mediaPlayer{audio, nullptr};
    /** The main window's media player and the preset editor's audio output: the fakes above unless
     *  a test chooses others (the real output, for instance). */
    MediaPlayer* mainPlayer = &mediaPlayer;
    AudioDevice* editorAudio = &audio;
    ScriptedFileDialogs fileDialogs;
    RecordingTrayShell trayShell;
    /** Where the main window reports the moments of a run: nowhere unless a test chooses a trace. */
    RunTrace* runTrace = &RunTrace::none();
    RecordingNotifications notifications;
    ScriptedInputBox inputBox;
    /** The store the windows use; tests may point it at a real store file. */
    RegistryStore* registry = &store;
    /** The program file that launchers start. */
    QString programPath = ProgramInfo::programPath();
    FakeOsVersionQuery osVersion;
    QList<int> exitCodes;
    std::unique_ptr<TMain> main;
    std::unique_ptr<TDeinstallation> deinstallation;
    std::unique_ptr<TNachricht> nachricht;
    std::unique_ptr<TInfofenster> infofenster;
    std::unique_ptr<THilfe> hilfe;
    std::unique_ptr<TEinstellungen> einstellungen;

    void SetUp() override { clock.setLocal(QDate(2026, 12, 7), QTime(10, 0, 0)); }

    void TearDown() override
    {
        if (main)
            main->hide();
    }

    /** Creates the windows in the program's order, with these parameters. */
    void create(const QStringList& parameters = {})
    {
        MainServices services{clock,
                              *registry,
                              boxes,
                              modal,
                              power,
                              *expirySound,
                              *mainPlayer,
                              fileDialogs,
                              trayShell,
                              timers,
                              *runTrace,
                              notifications,
                              inputBox,
                              ProgramInfo::compiledIn(),
                              parameters,
                              programPath};
        main = std::make_unique<TMain>(services);
        deinstallation = std::make_unique<TDeinstallation>(*registry, boxes, [this](int code) { exitCodes << code; });
        nachricht = std::make_unique<TNachricht>(TNachricht::Links{clock, timers, main->CurrentOptions(), *expirySound,
                                                                   main->ui().Start1, main->ui().Stop1, notifications});
        infofenster = std::make_unique<TInfofenster>(ProgramInfo::compiledIn(), osVersion);
        hilfe = std::make_unique<THilfe>();
        einstellungen = std::make_unique<TEinstellungen>(boxes, fileDialogs, *editorAudio);
        main->setSecondaryWindows(
            {deinstallation.get(), nachricht.get(), infofenster.get(), hilfe.get(), einstellungen.get()});
    }

    void createAndShow(const QStringList& parameters = {})
    {
        create(parameters);
        main->show();
    }

    const TMainUi& ui() const { return main->ui(); }

    /** Moves the clock on and runs every timer that falls due on the way, as the event loop would. */
    void advance(qint64 ms) { timers.advance(ms); }

    void setCountdown(int h, int m, int s)
    {
        TEinst& o = main->CurrentOptions();
        o.SetZeitMode(ZeitCountdown);
        o.SetStunden(h);
        o.SetMinuten(m);
        o.SetSekunden(s);
    }

    void setClockTime(int h, int m, int s)
    {
        setCountdown(h, m, s);
        main->CurrentOptions().SetZeitMode(ZeitUhrzeit);
    }

    bool running() const { return ui().Btn_Reset->isEnabled(); }
};

} // namespace kelvaro::test
