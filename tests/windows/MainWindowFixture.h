#pragma once

#include "core/MediaPlayer.h"
#include "mock/FakeAudioDevice.h"
#include "mock/FakeClock.h"
#include "mock/FakeOsVersionQuery.h"
#include "mock/ManualTimerService.h"
#include "mock/MemoryRegistryStore.h"
#include "mock/QtPrinters.h"
#include "mock/RecordingActions.h"
#include "mock/RecordingMessageBoxes.h"
#include "mock/RecordingTrayShell.h"
#include "mock/ScriptedFileDialogs.h"
#include "mock/ScriptedInputBox.h"
#include "mock/ScriptedModalRunner.h"
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
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace kelvaro::test {

/** A main window on doubles: an injected clock, an in-memory store, recorded boxes and actions. */
class MainWindowFixture : public ::testing::Test
{
protected:
    FakeClock clock;
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
    ManualTimerService trayTimers;
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
    qint64 m_sinceClockTick = 0;

    void SetUp() override { clock.setLocal(QDate(2026, 12, 7), QTime(10, 0, 0)); }

    void TearDown() override
    {
        if (main)
            main->hide();
    }

    /** Creates the windows in the program's order, with these parameters. */
    void create(const QStringList& parameters = {})
    {
        MainServices services{clock,       *registry,   boxes,     modal,      power,    *expirySound,
                              *mainPlayer, fileDialogs, trayShell, trayTimers, inputBox, ProgramInfo::compiledIn(),
                              parameters,  programPath};
        main = std::make_unique<TMain>(services);
        deinstallation = std::make_unique<TDeinstallation>(*registry, boxes, [this](int code) { exitCodes << code; });
        nachricht = std::make_unique<TNachricht>(
            TNachricht::Links{clock, main->CurrentOptions(), *expirySound, main->ui().Start1, main->ui().Stop1});
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

    /** Moves the clock on in 100 ms steps and runs the timers that are due, as the event loop would. */
    void advance(qint64 ms)
    {
        for (qint64 done = 0; done < ms; done += 100) {
            clock.advance(100);
            m_sinceClockTick += 100;
            bool runTickJustStarted = false;
            if (ui().Timer1->isActive() && m_sinceClockTick >= 1000) {
                m_sinceClockTick = 0;
                const bool wasActive = ui().Timer2->isActive();
                main->Timer1Timer();
                runTickJustStarted = !wasActive && ui().Timer2->isActive(); // due 100 ms later
            }
            if (ui().Timer2->isActive() && !runTickJustStarted) {
                ui().Timer2->stop(); // a single-shot timer is over once it fires
                main->Timer2Timer();
            }
            if (ui().Timer3->isActive())
                main->Timer3Timer();
        }
    }

    /** Runs one clock tick now. */
    void clockTick()
    {
        m_sinceClockTick = 0;
        main->Timer1Timer();
    }

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
