#pragma once

#include <QWidget>

class QCheckBox;

namespace kelvaro {

class TEinst;

/** The start settings: minimise when a run starts, end the program after the action, start a run
 *  by itself after the program has started. Each box writes its option at once. */
class StartPanel : public QWidget
{
    Q_OBJECT

public:
    enum class Variant { MainWindow, Editor };

    explicit StartPanel(Variant variant, QWidget* parent = nullptr);

    /** Binds the boxes to an options object; they write it without redrawing the window. */
    void bind(TEinst& options);
    void showOptions(const TEinst& options);

    QCheckBox* CBx_Minimize;
    QCheckBox* CBx_ClosePgm;
    QCheckBox* CBx_Sofortstart;

private:
    TEinst* m_options = nullptr;
};

} // namespace kelvaro
