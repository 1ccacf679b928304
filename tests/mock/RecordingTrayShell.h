#pragma once

#include "tray/TrayShell.h"

#include <QIcon>
#include <QMenu>
#include <QPointer>
#include <QString>

namespace kelvaro::test {

/** A notification area that keeps what it was given and counts how often the icon was shown. */
class RecordingTrayShell : public TrayShell
{
public:
    bool areaAvailable = true;
    /** Whether the icon is in the area: show() puts it there (only when there is an area), hide() and
     *  a restart of the area take it out. */
    bool shown = false;
    int shows = 0;
    QIcon icon;
    QString toolTip;
    QPointer<QMenu> menu;

    bool isAvailable() const override { return areaAvailable; }
    void show() override
    {
        ++shows;
        shown = areaAvailable;
    }
    void hide() override { shown = false; }
    void setIcon(const QIcon& image) override { icon = image; }
    void setToolTip(const QString& text) override { toolTip = text; }
    void setContextMenu(QMenu* contextMenu) override { menu = contextMenu; }

    /** The user activates the icon as the area reports it. */
    void activate(QSystemTrayIcon::ActivationReason reason) const { activated(reason); }
    void click() const { activate(QSystemTrayIcon::Trigger); }
    /** The area reports that it may have gone or come back. */
    void changeArea() const { areaChanged(); }
};

} // namespace kelvaro::test
