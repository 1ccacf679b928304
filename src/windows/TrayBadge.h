#pragma once

#include <QImage>
#include <QString>

#include <optional>

namespace kelvaro {

class TTrayIcon;

/**
 * What the notification-area icon says about the run: the tip, and a ring over the program's icon
 * that shows how much of the run is left (some notification areas never show the tip), or turns
 * while the end cannot be foreseen. Only a change reaches the tray.
 */
class TrayBadge
{
public:
    TrayBadge(TTrayIcon& icon, QImage image);

    void setHint(const QString& hint);
    /** The ring for the share of the run still to go; the plain icon for nothing. */
    void showRemaining(std::optional<double> remaining);
    /** The turning quarter ring, at `turn` steps of a sixtieth of a circle. */
    void showTurn(int turn);
    /** The ring's step shown (CountdownRing::step); -1 without a run, -2 while it turns. */
    int step() const { return m_step; }

private:
    TTrayIcon& m_icon;
    QImage m_image;
    int m_step = -1;
    int m_turn = -1;
};

} // namespace kelvaro
