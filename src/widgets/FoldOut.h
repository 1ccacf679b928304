#pragma once

class QPushButton;
class QWidget;

namespace kelvaro {

/**
 * A window's fold-out settings area: its button opens and closes the area by setting the window's
 * outer height (frame included) to one of two heights, and shows whether it is open.
 */
class FoldOut
{
public:
    FoldOut(QWidget& window, QPushButton& button, QWidget& area, int closedHeight, int openHeight);

    /** Closes the area when the window is taller than halfway between the heights (the focus goes to
     *  `focusAfterClosing`), otherwise opens it and gives it the focus. */
    void toggle(QWidget* focusAfterClosing);
    /** Whether toggle() would open the area. */
    bool opens() const;

private:
    void setOuterHeight(int height);

    QWidget& m_window;
    QPushButton& m_button;
    QWidget& m_area;
    int m_closedHeight;
    int m_openHeight;
};

} // namespace kelvaro
