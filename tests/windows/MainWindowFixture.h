#pragma once

#include "core/MediaPlayer.h"
#include "core/RunTrace.h"
#include "mock/FakeAudioDevice.h"
#include "mock/FakeClock.h"
#include "mock/FakeOsVersionQuery.h"
#include "mock/FakeProcessWatcher.h"
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
#include "widgets/ActionPanel.h"
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
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace kelvaro::test {

/** Whether exactly one box was shown, with this caption and text. */
inline ::testing::AssertionResult onlyBox(const RecordingMessageBoxes& boxes, const QString& caption,
                                          const QString& text)
{
    if (boxes.boxes.size() == 1 && boxes.boxes[0].caption == caption && boxes.boxes[0].text == text)
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << boxes.boxes.size() << " boxes:";
    for (const RecordingMessageBoxes::Box& box : boxes.boxes)
        failure << " [" << box.caption.toStdString() << "] " << box.text.toStdString();
    return failure;
}

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
    FakeProcessWatcher processes;
    /** The store the windows use; tests may point it at a real store file. */
    RegistryStore* registry = &store;
    /** The program file that launchers start. */
    QString programPath = ProgramInfo::programPath();
    FakeOsVersionQuery osVersion;
    QList<int> exitCodes;
    std::unique_ptr<TMain> main;
    // Made at their first use, as in the program.
    OnFirstUse<TDeinstallation> deinstallation;
    OnFirstUse<TNachricht> nachricht;
    OnFirstUse<TInfofenster> infofenster;
    OnFirstUse<THilfe> hilfe;
    OnFirstUse<TEinstellungen> einstellungen;

    void SetUp() override { clock.setLocal(QDate(2026, 12, 7), QTime(10, 0, 0)); }

    void TearDown() override
    {
        if (main)
            main->hide();
    }

    /** Creates the windows in the program's order, with these parameters. */
    void create(const QStringList& parameters = {})
    {
        MainServices services{clock,        *registry,     boxes,       modal,     power,
                              *expirySound, *mainPlayer,   fileDialogs, trayShell, timers,
                              *runTrace,    notifications, inputBox,    processes, ProgramInfo::compiledIn(),
                              parameters,   programPath,   nullptr,     {}};
        main = std::make_unique<TMain>(services);
        deinstallation = OnFirstUse<TDeinstallation>([this] {
            return std::make_unique<TDeinstallation>(*registry, boxes, [this](int code) { exitCodes << code; });
        });
        nachricht = OnFirstUse<TNachricht>([this] {
            return std::make_unique<TNachricht>(TNachricht::Links{clock, timers, main->CurrentOptions(), *expirySound,
                                                                  [this] { main->MessageWindowClosed(); },
                                                                  notifications});
        });
        infofenster = OnFirstUse<TInfofenster>(
            [this] { return std::make_unique<TInfofenster>(ProgramInfo::compiledIn(), osVersion); });
        hilfe = OnFirstUse<THilfe>([] { return std::make_unique<THilfe>(); });
        einstellungen = OnFirstUse<TEinstellungen>([this] {
            auto window = std::make_unique<TEinstellungen>(boxes, fileDialogs, *editorAudio, processes);
            window->Aktion->setPowerActions(&power);
            return window;
        });
        main->setSecondaryWindows({deinstallation, nachricht, infofenster, hilfe, einstellungen});
    }

    void createAndShow(const QStringList& parameters = {})
    {
        create(parameters);
        main->show();
    }

    /** The main window's controls, those of its settings pages made (the window makes them when the
     *  area first opens). */
    const TMainUi& ui() const
    {
        main->buildSettingsPages();
        return main->ui();
    }

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

    /** The hours, minutes and seconds of the current options. */
    std::array<qint32, 3> time() const
    {
        std::array<qint32, 3> t{};
        main->CurrentOptions().GetZeit(t[0], t[1], t[2]);
        return t;
    }

    /** The lines of the preset list on the settings page. */
    QStringList listLines() const
    {
        QStringList lines;
        for (int i = 0; i < ui().LBx_Presets->count(); ++i)
            lines << ui().LBx_Presets->item(i)->text();
        return lines;
    }

    /** Moves the focus on to the exit button and lets the deferred checks of the field left run. */
    void leave()
    {
        ui().Btn_Beenden->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
    }
};

} // namespace kelvaro::test
