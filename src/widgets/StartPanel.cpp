#include "widgets/StartPanel.h"

#include "core/TEinst.h"

#include <QCheckBox>

namespace kelvaro {

namespace {

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int x, int y)
{
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(x, y, 330, 17);
    return box;
}

} // namespace

StartPanel::StartPanel(Variant variant, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("StartPanel"));
    const bool main = variant == Variant::MainWindow;
    const int x = main ? 32 : 16;
    const int step = main ? 32 : 24;
    const int top = main ? 32 : 4;
    CBx_Minimize = checkBox(this, "CBx_Minimize", tr("Minimieren nach dem Start der Aktion"), x, top);
    CBx_ClosePgm = checkBox(this, "CBx_ClosePgm", tr("Programm beenden nach Aktion"), x, top + step);
    CBx_Sofortstart =
        checkBox(this, "CBx_Sofortstart",
                 main ? tr("Sofortstart (wirkt erst nach einem Programmneustart)") : tr("Sofortstart der Aktion"), x,
                 top + 2 * step);
    CBx_Sofortstart->setToolTip(tr("Startet die eingestellte Aktion sofort nach Aufruf von Kelvaro."));

    connect(CBx_Minimize, &QCheckBox::clicked, this, [this](bool on) {
        if (m_options)
            m_options->SetMinimize(on);
    });
    connect(CBx_ClosePgm, &QCheckBox::clicked, this, [this](bool on) {
        if (m_options)
            m_options->SetClosePgm(on);
    });
    connect(CBx_Sofortstart, &QCheckBox::clicked, this, [this](bool on) {
        if (m_options)
            m_options->SetSofortStart(on);
    });
}

void StartPanel::bind(TEinst& options)
{
    m_options = &options;
}

void StartPanel::showOptions(const TEinst& options)
{
    CBx_Minimize->setChecked(options.GetMinimize());
    CBx_ClosePgm->setChecked(options.GetClosePgm());
    CBx_Sofortstart->setChecked(options.GetSofortStart());
}

} // namespace kelvaro
