#pragma once

#include "core/ProgramInfo.h"
#include "windows/OnFirstUse.h"

#include <QStringList>

namespace kelvaro {

class Clock;
class ExpirySound;
class FileDialogs;
class IdleWatcher;
class InputBox;
class LoadSampler;
class MediaPlayer;
class MessageBoxes;
class ModalRunner;
class PowerActions;
class ProcessWatcher;
class RegistryStore;
class Notifications;
class RunTrace;
class ServiceManager;
class TDeinstallation;
class TimerService;
class TrayShell;
class TEinstellungen;
class THilfe;
class TInfofenster;
class TNachricht;

/** What the main window uses of the world outside it. */
struct MainServices
{
    Clock& clock;
    RegistryStore& registry;
    MessageBoxes& boxes;
    ModalRunner& modal;
    PowerActions& power;
    ExpirySound& sound;
    /** The main window's media player, shared by the expiry sound and the sound page's test button. */
    MediaPlayer& mediaPlayer;
    FileDialogs& fileDialogs;
    /** The notification area of the tray icon. */
    TrayShell& trayShell;
    /** The timers of the main window, the message window and the tray icon. */
    TimerService& timers;
    /** Where the moments of a run are reported (RunTrace::none() for nowhere). */
    RunTrace& runTrace;
    /** The desktop's notifications (Notifications::none() for none). */
    Notifications& notifications;
    /** Asks for a preset's name. */
    InputBox& inputBox;
    /** The running programs, whose end a run may wait for. */
    ProcessWatcher& processes;
    ProgramInfo info;
    /** The program's parameters (argv[1..] with double quotes removed, empty ones dropped). */
    QStringList parameters;
    /** The program file that launchers start. */
    QString programPath = ProgramInfo::programPath();
    /** The user's service manager, which keeps repeating schedules; none where there is none. */
    ServiceManager* serviceManager = nullptr;
    /** The folder of the user's unit files, where schedules are written. */
    QString scheduleFolder;
    /** The desktop's idle clock, for a run that waits for the user to leave; none where there is none. */
    IdleWatcher* idle = nullptr;
    /** The machine's load counters, for a run that waits for quiet; none where they cannot be read. */
    LoadSampler* load = nullptr;
};

/** The windows besides the main window, each made at its first use. */
struct SecondaryWindows
{
    OnFirstUse<TDeinstallation> deinstallation;
    OnFirstUse<TNachricht> nachricht;
    OnFirstUse<TInfofenster> infofenster;
    OnFirstUse<THilfe> hilfe;
    OnFirstUse<TEinstellungen> einstellungen;
};

} // namespace kelvaro
