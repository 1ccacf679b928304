#pragma once

#include <QStatusBar>

class QLabel;

namespace kelvaro {

class TEinst;

/** The main window's status bar: two text panels, 190 pixels and the rest, on the tooltip colour. */
class StatusPanels : public QStatusBar
{
    Q_OBJECT

public:
    explicit StatusPanels(QWidget* parent = nullptr);

    /** The text the panel shows. */
    QString panelText(int index) const;
    /** Shows `text` as plain text on one line: control characters and line separators as blanks. */
    void setPanelText(int index, const QString& text);
    /** The action of `options` (forced or not) and, for a message, its sound; `note` in place of the
     *  sound when there is one. A stopwatch shows neither. */
    void showOptions(const TEinst& options, const QString& note);

private:
    QLabel* m_panels[2];
};

} // namespace kelvaro
