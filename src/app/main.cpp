// Program entry: the application, its services and the six windows, created once in their order.
#include "core/CommandLine.h"
#include "core/ExpirySoundPlayer.h"
#include "core/MediaPlayer.h"
#include "core/RemoteCommand.h"
#include "core/ScheduleBook.h"
#include "core/SystemPowerActions.h"
#include "platform/DBusNotifications.h"
#include "platform/DBusRemoteControl.h"
#include "platform/DBusServiceWatch.h"
#include "platform/FileRegistryStore.h"
#include "platform/FileRunTrace.h"
#include "platform/IdleClosingAudioDevice.h"
#include "platform/LinuxIdleWatcher.h"
#include "platform/LinuxOsVersion.h"
#include "platform/LinuxPowerPlatform.h"
#include "platform/LinuxProcessWatcher.h"
#include "platform/LoadedAudioDevice.h"
#include "platform/ProcLoadSampler.h"
#include "platform/ProcessExit.h"
#include "platform/QtTimerService.h"
#include "platform/QuitSignals.h"
#include "platform/RemoteClient.h"
#include "platform/ScheduleVerbs.h"
#include "platform/SystemClock.h"
#include "platform/SystemdUserManager.h"
#include "resources/Language.h"
#include "resources/Resources.h"
#include "tray/QtTrayShell.h"
#include "widgets/ActionPanel.h"
#include "widgets/AppStyle.h"
#include "widgets/PngPictures.h"
#include "widgets/QtFileDialogs.h"
#include "widgets/QtInputBox.h"
#include "widgets/QtMessageBoxes.h"
#include "widgets/QtModalRunner.h"
#include "windows/TDeinstallation.h"
#include "windows/TEinstellungen.h"
#include "windows/THilfe.h"
#include "windows/TInfofenster.h"
#include "windows/TMain.h"
#include "windows/TNachricht.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QTextStream>
#include <QTimer>

#include <utility>

using namespace kelvaro;

namespace {

/** How long after the window is shown the program goes onto the session bus. */
constexpr int kBusDelayMs = 200;

/** The desktop's idle clock, found (and the buses it may need connected) at the first watch. */
class FirstUseIdleWatcher : public IdleWatcher
{
public:
    explicit FirstUseIdleWatcher(TimerService& timers) : m_timers(timers) {}

    std::unique_ptr<IdleWatch> watch(qint64 thresholdMs, std::function<void(bool idle)> changed) override
    {
        if (!m_watcher)
            m_watcher = std::make_unique<LinuxIdleWatcher>(m_timers, QDBusConnection::sessionBus(),
                                                           QDBusConnection::systemBus());
        return m_watcher->watch(thresholdMs, std::move(changed));
    }
    QString source() const override { return m_watcher ? m_watcher->source() : QString(); }

private:
    TimerService& m_timers;
    std::unique_ptr<LinuxIdleWatcher> m_watcher;
};

/** The verbs of repeating schedules: no window, no display needed. */
int runScheduleVerb(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    initResources();
    useLanguage(languageFor(QLocale::system().uiLanguages()));
    SystemdUserManager manager(QDBusConnection::sessionBus());
    QTextStream out(stdout);
    QTextStream err(stderr);
    return ScheduleVerbs::run(QCoreApplication::arguments().mid(1), manager, SystemdUserManager::unitFolder(),
                              ProgramInfo::programPath(), &ScheduleVerbs::systemdCalendarCheck, out, err);
}

/** Carries out a command to running programs (--list, --stop, --watch, --help, ...) when the
 *  arguments are one, without a window or a display: its exit code. Nothing for an option set. */
std::optional<int> runRemoteCommand(int argc, char** argv, const QStringList& arguments)
{
    if (!RemoteCommand::isCommand(arguments))
        return std::nullopt;
    QCoreApplication app(argc, argv);
    useLanguage(languageFor(QLocale::system().uiLanguages()));
    const ProgramInfo info = ProgramInfo::compiledIn();
    return RemoteClient::run(RemoteCommand::parse(arguments),
                             {THilfe::helpText(), info.productName + u' ' + info.productVersion});
}

/** The main window on the session bus, offered a moment after it is shown so that start-up does not
 *  wait for the bus. */
std::unique_ptr<DBusRemoteControl> offerRemoteControl(TMain& window)
{
    // Each call does what its tray-menu entry does, with the same checks, and answers false when that
    // entry is disabled. An entry that may open a window is pressed after the caller has its answer.
    const TMainUi& ui = window.ui();
    const auto pressLater = [](QAction* entry) {
        QMetaObject::invokeMethod(entry, &QAction::trigger, Qt::QueuedConnection);
    };
    DBusRemoteControl::Handlers handlers;
    handlers.start = [&ui, pressLater] {
        if (ui.Start1->isEnabled())
            pressLater(ui.Start1);
        return ui.Start1->isEnabled();
    };
    handlers.stop = [&ui] {
        if (!ui.Stop1->isEnabled())
            return false;
        ui.Stop1->trigger();
        return true;
    };
    handlers.postpone = [&window](qint64 ms) {
        return window.postpone(ms);
    };
    handlers.show = [&ui, pressLater] {
        pressLater(ui.ProgAnzeigen);
    };
    handlers.quit = [&ui, pressLater] {
        pressLater(ui.ProgBeenden);
    };
    auto remote = std::make_unique<DBusRemoteControl>(std::move(handlers));
    DBusRemoteControl* const control = remote.get();
    QObject::connect(&window, &TMain::remoteStateChanged, control,
                     [control, &window] { control->publish(window.remoteState()); });
    QTimer::singleShot(kBusDelayMs, control, [control, &window] {
        control->publish(window.remoteState());
        control->offer(QDBusConnection::sessionBus(), QCoreApplication::applicationPid());
    });
    return remote;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (ScheduleVerbs::isScheduleVerb(arguments))
        return runScheduleVerb(argc, argv);
    if (const std::optional<int> code = runRemoteCommand(argc, argv, arguments))
        return *code;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvaro"));
    // The installed desktop entry's name, so that desktops match the windows to its name and icon.
    QApplication::setDesktopFileName(QStringLiteral("io.github.kelvaro.Kelvaro"));
    // The program ends when its main window is closed, not when the last visible window goes (the
    // main window may be hidden in the notification area while the message window closes).
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(makeAppStyle());
    initResources();
    QApplication::setWindowIcon(pngIcon({programIconPath()}));

    // German, or English when the desktop asks for another language first; the standard dialogs
    // speak the same language as the rest of the program.
    useLanguage(languageFor(QLocale::system().uiLanguages()));

    SystemClock clock;
    FileRegistryStore registry(FileRegistryStore::defaultPath());
    QtMessageBoxes boxes;
    QtModalRunner modal;
    QtFileDialogs fileDialogs;
    QtInputBox inputBox;
    SystemPowerActions power(createPowerPlatform());
    // The timers of the windows, the tray icon and the audio output.
    QtTimerService timers;
    // The audio output is loaded from its module at the first sound, so the program starts without it,
    // and the device is closed again a few seconds after the last sound.
    LoadedAudioDevice loadedAudio(LoadedAudioDevice::defaultFolders());
    IdleClosingAudioDevice audio(loadedAudio, timers);
    MediaPlayer mediaPlayer(audio);
    mediaPlayer.setObjectName(QStringLiteral("MediaPlayer1"));
    ExpirySoundPlayer sound(mediaPlayer, boxes, audio);
    QtTrayShell trayShell;
    // The session bus is connected at the first notification, so the program starts without it.
    DBusNotifications notifications(
        DBusNotifications::BusConnector(&QDBusConnection::sessionBus),
        {QApplication::applicationName(), programIconName(), QApplication::desktopFileName()});
    const std::unique_ptr<FileRunTrace> runTrace = FileRunTrace::fromEnvironment();
    LinuxProcessWatcher processes(timers);
    // Repeating schedules are kept by systemd's user instance, asked when the page is first shown.
    SystemdUserManager serviceManager{SystemdUserManager::BusConnector(&QDBusConnection::sessionBus)};
    // The idle clock is looked for when a run first waits for the user to leave.
    FirstUseIdleWatcher idle(timers);
    ProcLoadSampler load;

    const MainServices services{clock,
                                registry,
                                boxes,
                                modal,
                                power,
                                sound,
                                mediaPlayer,
                                fileDialogs,
                                trayShell,
                                timers,
                                runTrace ? *runTrace : RunTrace::none(),
                                notifications,
                                inputBox,
                                processes,
                                ProgramInfo::compiledIn(),
                                ParametersFromArguments(QApplication::arguments()),
                                ProgramInfo::programPath(),
                                &serviceManager,
                                SystemdUserManager::unitFolder(),
                                &idle,
                                &load};

    LinuxOsVersion osVersion;
    ScheduleBook schedules(SystemdUserManager::unitFolder(), serviceManager);

    TMain mainWindow(services);
    // The other windows are made when they are first opened: most sessions never open them, and
    // building them before the main window is shown would cost their fonts, texts and pictures.
    SecondaryWindows windows;
    windows.deinstallation = OnFirstUse<TDeinstallation>([&] {
        auto window = std::make_unique<TDeinstallation>(registry, boxes, [](int code) { exitImmediately(code); });
        window->setOnClose([&mainWindow] { mainWindow.makeStartDefault(); });
        window->setSchedules(&schedules);
        return window;
    });
    windows.nachricht = OnFirstUse<TNachricht>([&] {
        return std::make_unique<TNachricht>(TNachricht::Links{clock, timers, mainWindow.CurrentOptions(), sound,
                                                              [&mainWindow] { mainWindow.MessageWindowClosed(); },
                                                              notifications});
    });
    windows.infofenster = OnFirstUse<TInfofenster>(
        [&osVersion] { return std::make_unique<TInfofenster>(ProgramInfo::compiledIn(), osVersion); });
    windows.hilfe = OnFirstUse<THilfe>([] { return std::make_unique<THilfe>(); });
    windows.einstellungen = OnFirstUse<TEinstellungen>([&] {
        auto window = std::make_unique<TEinstellungen>(boxes, fileDialogs, audio, processes);
        window->Aktion->setPowerActions(&power);
        return window;
    });
    mainWindow.setSecondaryWindows(windows);

    QObject::connect(&mainWindow, &TMain::closed, &app, &QApplication::quit, Qt::QueuedConnection);

    // When the session ends, or a signal asks the program to end, it ends as "Beenden" ends it: a run
    // goes without its action, and the announcement goes with it. The notifications still up are
    // closed on the way out (the notifications object waits a moment for the server).
    bool ending = false;
    QObject::connect(&mainWindow, &TMain::closed, [&ending] { ending = true; });
    const auto end = [&mainWindow, &ending] {
        if (!std::exchange(ending, true))
            mainWindow.close();
    };
    QuitSignals quitSignals([&end](int) { end(); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, end);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, end);

    mainWindow.show();
    const std::unique_ptr<DBusRemoteControl> remote = offerRemoteControl(mainWindow);
    // A StatusNotifierWatcher that starts anew (the desktop's panel restarted) may have lost the icon:
    // its coming and going go to the tray, which shows the icon again. Nothing is polled.
    std::unique_ptr<DBusServiceWatch> areaWatch;
    QTimer::singleShot(kBusDelayMs, &app, [&areaWatch, &trayShell] {
        areaWatch = std::make_unique<DBusServiceWatch>(QDBusConnection::sessionBus(),
                                                       QStringLiteral("org.kde.StatusNotifierWatcher"),
                                                       [&trayShell] { trayShell.noteAreaChanged(); });
    });
    return QApplication::exec();
}
