#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace kelvaro {

/**
 * A pair of arrow buttons attached to the right of an edit field: each press moves a whole-number
 * position up or down by one within its range (no wrap-around) and writes it into the field. The
 * position starts from the number the field shows; the arrow keys in the field act on it too.
 */
class UpDown : public QWidget
{
    Q_OBJECT

public:
    UpDown(QLineEdit* buddy, int minimum, int maximum, int position, QWidget* parent = nullptr);

    int position() const { return m_position; }
    void stepUp() { step(+1); }
    void stepDown() { step(-1); }

Q_SIGNALS:
    /** The user moved the position with a button or an arrow key. */
    void positionChanged(int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void step(int delta);

    QLineEdit* m_buddy;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_minimum;
    int m_maximum;
    int m_position;
};

} // namespace kelvaro
