#pragma once

#include "tray/TrayOwner.h"

#include <QPointer>
#include <QWidget>

namespace kelvaro {

/**
 * The window side of the tray component for a Qt main window. On Linux the main window carries
 * the task bar button itself, so hiding the window hides the button and restoring the window brings
 * it back. The owner calls the component's hooks (applicationMinimized, ...) from its own events.
 */
class QtTrayOwner : public TrayOwner
{
public:
    explicit QtTrayOwner(QWidget* mainWindow);

    bool hasMainWindow() const override { return !m_window.isNull(); }
    bool isMainWindowMinimized() const override;
    void showMainWindowNormal() override;
    void setMainWindowVisible(bool visible) override;
    bool isApplicationButtonVisible() const override;
    void hideApplicationButton() override;
    void restoreApplication() override;
    void activateApplication() override;
    void activateOwner() override;
    void setShowMainForm(bool show) override { m_showMainForm = show; }
    /** False once the component was told at start that the main window is not shown. */
    bool showMainForm() const { return m_showMainForm; }

private:
    QPointer<QWidget> m_window;
    bool m_showMainForm = true;
};

} // namespace kelvaro
