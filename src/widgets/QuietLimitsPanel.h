#pragma once

#include <QFrame>

#include <functional>

class QLabel;
class QLineEdit;

namespace kelvaro {

class MessageBoxes;
class TEinst;

/**
 * The panel `P_Leerlauf` of the time mode "Leerlauf": the processor limit `Ed_LeerlaufCPU` (percent)
 * and the network limit `Ed_LeerlaufNetz` (kB/s) below which the machine counts as quiet; 0 leaves a
 * figure unwatched. A field is taken when it is left or confirmed with Enter; a text that is no
 * limit gives a warning, and the field shows the stored limit again.
 */
class QuietLimitsPanel : public QFrame
{
    Q_OBJECT

public:
    enum Limit { Cpu, Netz };

    explicit QuietLimitsPanel(QWidget* parent = nullptr);

    /** Binds the fields to an options object and to the boxes that warn of a bad entry; both must
     *  outlive the panel. `showOptions` redraws the owning window after a limit was taken. */
    void bind(TEinst& options, MessageBoxes& boxes, std::function<void()> showOptions);
    /** Writes both limits of `options` into the fields without running any handler. */
    void showOptions(const TEinst& options);

    /** Takes the text of a field as its limit; false (the field then shows the stored limit again)
     *  when the text is no whole number in the limit's range. */
    bool take(Limit limit);

    QLabel* L_LeerlaufCPU;
    QLineEdit* Ed_LeerlaufCPU;
    QLabel* L_LeerlaufNetz;
    QLineEdit* Ed_LeerlaufNetz;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* field(Limit limit) const { return limit == Cpu ? Ed_LeerlaufCPU : Ed_LeerlaufNetz; }
    /** The warning of a bad entry, with the field focused and selected for a new one. */
    void warn(Limit limit);

    TEinst* m_options = nullptr;
    MessageBoxes* m_boxes = nullptr;
    std::function<void()> m_showOptions;
};

} // namespace kelvaro
