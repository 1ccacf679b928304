#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace kelvaro {

class TEinst;

/** The start settings: minimise when a run starts, end the program after the action, start a run
 *  by itself after the program has started, and the lead time of a power action's announcement.
 *  Each box writes its option at once, the lead time field when it is left. */
class StartPanel : public QWidget
{
    Q_OBJECT

public:
    enum class Variant { MainWindow, Editor };

    explicit StartPanel(Variant variant, QWidget* parent = nullptr);

    /** Binds the controls to an options object; they write it without redrawing the window. */
    void bind(TEinst& options);
    void showOptions(const TEinst& options);

    QCheckBox* CBx_Minimize;
    QCheckBox* CBx_ClosePgm;
    QCheckBox* CBx_Sofortstart;
    QLabel* L_Vorwarnzeit;
    QLineEdit* Ed_Vorwarnzeit;

    /** The lead time field has been left: a whole number of seconds from 0 is taken, anything else
     *  gives the default. */
    void Ed_VorwarnzeitExit();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TEinst* m_options = nullptr;
};

} // namespace kelvaro
