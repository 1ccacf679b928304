#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelvaro {

/**
 * The help window: a heading and the fixed description of the command line in a read-only
 * (but selectable) text box. The text box grows and shrinks with the window; the close button
 * keeps its place at the bottom-right corner.
 */
class THilfe : public QDialog
{
    Q_OBJECT

public:
    explicit THilfe(QWidget* parent = nullptr);

    /** The help text as the program carries it in the current language (German: 54 lines joined by
     *  line feeds). */
    static QString helpText();

    void Button1Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void setupUi();
    /** Widens the window, within the screen, until the longest line of the text fits (at the first
     *  showing). */
    void widenToText();
    /** The text box fills the window but for its margins; the button keeps to the bottom right. */
    void placeControls(QSize size);

    QLabel* Label1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;
    bool m_widened = false;
};

} // namespace kelvaro
