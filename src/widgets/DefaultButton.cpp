#include "widgets/DefaultButton.h"

#include <QKeyEvent>
#include <QPushButton>

namespace kelvaro {

void DefaultButton::set(QPushButton* button)
{
    if (m_button)
        m_button->setDefault(false);
    m_button = button;
    m_button->setDefault(true);
}

bool DefaultButton::press(const QKeyEvent& event, const std::function<bool()>& mayPress) const
{
    if ((event.key() != Qt::Key_Return && event.key() != Qt::Key_Enter) || !m_button || !m_button->isEnabled())
        return false;
    if (mayPress())
        m_button->click();
    return true;
}

} // namespace kelvaro
