#pragma once

#include <QFrame>
#include <QPixmap>

class QLabel;

namespace kelvaro {

/**
 * A small panel that acts on a click: the picture panels of the actions and the cells of the digit
 * pad. It has two looks, normal (raised, button face) and chosen (lowered, in the chosen colour).
 * A click on its picture or caption counts as a click on the panel.
 */
class ClickPanel : public QFrame
{
    Q_OBJECT

public:
    ClickPanel(const QString& objectName, const QColor& chosenColour, QWidget* parent = nullptr);

    /** Shows a caption centred in the panel. */
    void setCaption(const QString& caption);
    /** Shows a picture at (x, y); the picture label gets `pictureName` as its object name. */
    QLabel* setPicture(const QPixmap& picture, const QString& pictureName, int x, int y);

    void setChosen(bool chosen);
    bool isChosen() const { return m_chosen; }
    /** The greyed look of a choice that cannot be carried out here; it can still be chosen. */
    void setDimmed(bool dimmed);
    bool isDimmed() const { return m_dimmed; }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor m_chosenColour;
    QLabel* m_caption = nullptr;
    QLabel* m_picture = nullptr;
    QPixmap m_pictureShown; // the picture in its own colours
    bool m_chosen = false;
    bool m_dimmed = false;
    bool m_pressed = false;
};

} // namespace kelvaro
