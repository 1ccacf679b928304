#pragma once

namespace kelvaro {

/**
 * The window side of the tray component: the owner window (the program's main window) and the
 * application with its task bar button. The component hides and restores them through this.
 */
class TrayOwner
{
public:
    virtual ~TrayOwner() = default;

    /** Whether the application has a main window to hide and restore. */
    virtual bool hasMainWindow() const = 0;
    virtual bool isMainWindowMinimized() const = 0;
    /** Takes the main window out of its minimised state. */
    virtual void showMainWindowNormal() = 0;
    virtual void setMainWindowVisible(bool visible) = 0;

    /** Whether the application's task bar button is shown. */
    virtual bool isApplicationButtonVisible() const = 0;
    /** Removes the application's task bar button. */
    virtual void hideApplicationButton() = 0;
    /** Restores the minimised application, which brings its task bar button back. */
    virtual void restoreApplication() = 0;
    /** Brings the application to the foreground. */
    virtual void activateApplication() = 0;
    /** Brings the owner window itself to the foreground. */
    virtual void activateOwner() = 0;
    /** Tells the application not to show its main window at start. */
    virtual void setShowMainForm(bool show) = 0;
};

} // namespace kelvaro
