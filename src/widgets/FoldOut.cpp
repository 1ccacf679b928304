#include "widgets/FoldOut.h"

#include "widgets/ConfigButtonImages.h"

#include <QPushButton>

namespace kelvaro {

FoldOut::FoldOut(QWidget& window, QPushButton& button, QWidget& area, int closedHeight, int openHeight)
    : m_window(window), m_button(button), m_area(area), m_closedHeight(closedHeight), m_openHeight(openHeight)
{}

bool FoldOut::opens() const
{
    // The window manager's frame counts, so the threshold lies between the two outer heights.
    constexpr int kThreshold = 300;
    return m_window.frameGeometry().height() < kThreshold;
}

void FoldOut::toggle(QWidget* focusAfterClosing)
{
    if (!opens()) {
        m_button.setIcon(ConfigButtonImages::image(0));
        m_area.hide();
        if (focusAfterClosing)
            focusAfterClosing->setFocus();
        setOuterHeight(m_closedHeight);
    } else {
        m_button.setIcon(ConfigButtonImages::image(1));
        m_area.show();
        m_area.setFocus();
        setOuterHeight(m_openHeight);
    }
}

void FoldOut::setOuterHeight(int height)
{
    const int frame = m_window.frameGeometry().height() - m_window.geometry().height();
    m_window.setFixedHeight(height - frame);
}

} // namespace kelvaro
