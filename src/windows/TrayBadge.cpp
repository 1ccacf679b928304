#include "windows/TrayBadge.h"

#include "core/CountdownRing.h"
#include "tray/TTrayIcon.h"
#include "widgets/TrayRing.h"

#include <QIcon>
#include <QPixmap>

namespace kelvaro {

namespace {

constexpr int kTurning = -2;

} // namespace

TrayBadge::TrayBadge(TTrayIcon& icon, QImage image) : m_icon(icon), m_image(std::move(image))
{
    m_icon.SetIcon(QIcon(QPixmap::fromImage(m_image)));
}

void TrayBadge::setHint(const QString& hint)
{
    // The run ticks repeat the same text; only a change goes to the tray.
    if (hint != m_icon.GetHint())
        m_icon.SetHint(hint);
}

void TrayBadge::showRemaining(std::optional<double> remaining)
{
    const int step = CountdownRing::step(remaining);
    if (step == m_step)
        return;
    m_step = step;
    m_icon.SetIcon(QIcon(QPixmap::fromImage(TrayRing::draw(m_image, remaining))));
}

void TrayBadge::showTurn(int turn)
{
    if (m_step == kTurning && turn == m_turn)
        return;
    m_step = kTurning;
    m_turn = turn;
    m_icon.SetIcon(QIcon(QPixmap::fromImage(TrayRing::drawWaiting(m_image, turn))));
}

} // namespace kelvaro
