#include "widgets/ClickPanel.h"

#include <QIcon>
#include <QLabel>
#include <QMouseEvent>

namespace kelvaro {

ClickPanel::ClickPanel(const QString& objectName, const QColor& chosenColour, QWidget* parent)
    : QFrame(parent), m_chosenColour(chosenColour)
{
    setObjectName(objectName);
    setAutoFillBackground(true);
    setLineWidth(1);
    setChosen(false);
}

void ClickPanel::setCaption(const QString& caption)
{
    if (!m_caption) {
        m_caption = new QLabel(this);
        m_caption->setTextFormat(Qt::PlainText);
        m_caption->setAlignment(Qt::AlignCenter);
        m_caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_caption->setText(caption);
    m_caption->setGeometry(rect());
}

QLabel* ClickPanel::setPicture(const QPixmap& picture, const QString& pictureName, int x, int y)
{
    auto* label = new QLabel(this);
    label->setObjectName(pictureName);
    label->setPixmap(picture);
    label->setGeometry(x, y, picture.width(), picture.height());
    m_picture = label;
    m_pictureShown = picture;
    // Clicks on the picture reach the panel: QLabel leaves mouse presses to its parent.
    return label;
}

void ClickPanel::setChosen(bool chosen)
{
    m_chosen = chosen;
    setFrameStyle(QFrame::Panel | (chosen ? QFrame::Sunken : QFrame::Raised));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, chosen ? m_chosenColour : pal.color(QPalette::Button));
    setPalette(pal);
}

void ClickPanel::setDimmed(bool dimmed)
{
    m_dimmed = dimmed;
    if (m_picture)
        m_picture->setPixmap(dimmed ? QIcon(m_pictureShown).pixmap(m_pictureShown.size(), QIcon::Disabled)
                                    : m_pictureShown);
}

void ClickPanel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ClickPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}

} // namespace kelvaro
