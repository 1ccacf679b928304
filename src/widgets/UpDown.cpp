#include "widgets/UpDown.h"

#include "core/TimeFields.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>

namespace kelvaro {

UpDown::UpDown(QLineEdit* buddy, int minimum, int maximum, int position, QWidget* parent)
    : QWidget(parent), m_buddy(buddy), m_minimum(minimum), m_maximum(maximum), m_position(position)
{
    m_up = new QToolButton(this);
    m_up->setObjectName(QStringLiteral("Up"));
    m_up->setArrowType(Qt::UpArrow);
    m_up->setAutoRepeat(true);
    m_down = new QToolButton(this);
    m_down->setObjectName(QStringLiteral("Down"));
    m_down->setArrowType(Qt::DownArrow);
    m_down->setAutoRepeat(true);
    m_up->setGeometry(0, 0, 16, 11);
    m_down->setGeometry(0, 10, 16, 11);
    connect(m_up, &QToolButton::clicked, this, &UpDown::stepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::stepDown);
    m_buddy->installEventFilter(this);
}

void UpDown::step(int delta)
{
    // The field may have been changed since the last step: continue from the number it shows.
    if (const std::optional<qint32> shown = StrToInt(m_buddy->text()))
        m_position = std::clamp<qint64>(*shown, m_minimum, m_maximum);
    m_position = std::clamp(m_position + delta, m_minimum, m_maximum);
    m_buddy->setText(QString::number(m_position));
    Q_EMIT positionChanged(m_position);
}

bool UpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return false;
}

} // namespace kelvaro
