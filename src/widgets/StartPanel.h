#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kelvaro {

class MessageBoxes;
class TEinst;

/** The start settings: minimise when a run starts, end the program after the action, start a run
 *  by itself after the program has started, and the lead time of a power action's announcement.
 *  Each box writes its option at once, the lead time field when it is left or confirmed. */
class StartPanel : public QWidget
{
    Q_OBJECT

public:
    enum class Variant { MainWindow, Editor };

    explicit StartPanel(Variant variant, QWidget* parent = nullptr);

    /** The longest lead time the field takes, in seconds (an hour). */
    static constexpr qint32 kMaxVorwarnzeit = 3600;

    /** Binds the controls to an options object, which they write without redrawing the window, and
     *  to the boxes that warn of a lead time out of range; both must outlive the panel. */
    void bind(TEinst& options, MessageBoxes& boxes);
    void showOptions(const TEinst& options);

    QCheckBox* CBx_Minimize;
    QCheckBox* CBx_ClosePgm;
    QCheckBox* CBx_Sofortstart;
    QLabel* L_Vorwarnzeit;
    QLineEdit* Ed_Vorwarnzeit;

    /** The lead time field has been confirmed: a whole number of seconds from 0 to kMaxVorwarnzeit
     *  is taken; for anything else the field shows the stored lead time again, with a warning. */
    void Ed_VorwarnzeitExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /** Stores the typed lead time; false when the text is none the field takes (it then shows the
     *  stored one again). */
    bool takeVorwarnzeit();
    /** The warning of a lead time out of range, with the field focused and selected for a new entry. */
    void warnVorwarnzeit();

    TEinst* m_options = nullptr;
    MessageBoxes* m_boxes = nullptr;
};

} // namespace kelvaro
