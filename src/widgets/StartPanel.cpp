#include "widgets/StartPanel.h"

#include "core/MessageBoxes.h"
#include "core/TEinst.h"
#include "core/TimeFields.h"
#include "widgets/FocusLeave.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

namespace kelvaro {

namespace {

const char* const kLeadRange = QT_TRANSLATE_NOOP(
    "kelvaro::StartPanel", "Fehler bei der Eingabe!\n\rEs sind nur Zahlen zwischen 0 und %1 erlaubt.");

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

    const int leadY = top + 3 * step;
    L_Vorwarnzeit = new QLabel(tr("&Vorwarnzeit (Sekunden)"), this);
    L_Vorwarnzeit->setObjectName(QStringLiteral("L_Vorwarnzeit"));
    L_Vorwarnzeit->setTextFormat(Qt::PlainText);
    L_Vorwarnzeit->setGeometry(x, leadY + 2, 140, 17);
    Ed_Vorwarnzeit = new QLineEdit(QString::number(TEinst::kDefaultVorwarnzeit), this);
    Ed_Vorwarnzeit->setObjectName(QStringLiteral("Ed_Vorwarnzeit"));
    Ed_Vorwarnzeit->setGeometry(x + 144, leadY, 57, 21);
    L_Vorwarnzeit->setBuddy(Ed_Vorwarnzeit);
    const QString leadTip = tr("So viele Sekunden vor dem Herunterfahren, Neustarten, Abmelden oder "
                               "Standby wird die Aktion angekündigt; 0 schaltet die Ankündigung ab.");
    L_Vorwarnzeit->setToolTip(leadTip);
    Ed_Vorwarnzeit->setToolTip(leadTip);

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
    connect(Ed_Vorwarnzeit, &QLineEdit::returnPressed, this, &StartPanel::Ed_VorwarnzeitExit);
    Ed_Vorwarnzeit->installEventFilter(this);
}

void StartPanel::bind(TEinst& options, MessageBoxes& boxes)
{
    m_options = &options;
    m_boxes = &boxes;
}

void StartPanel::showOptions(const TEinst& options)
{
    CBx_Minimize->setChecked(options.GetMinimize());
    CBx_ClosePgm->setChecked(options.GetClosePgm());
    CBx_Sofortstart->setChecked(options.GetSofortStart());
    const QSignalBlocker block(Ed_Vorwarnzeit);
    const QString lead = QString::number(options.GetVorwarnzeit());
    if (Ed_Vorwarnzeit->text() != lead)
        Ed_Vorwarnzeit->setText(lead);
}

void StartPanel::Ed_VorwarnzeitExit()
{
    if (!takeVorwarnzeit())
        warnVorwarnzeit();
}

bool StartPanel::takeVorwarnzeit()
{
    if (!m_options)
        return true;
    const QString text = Ed_Vorwarnzeit->text();
    // What is stored is kept as it is, also a longer lead time from a command line or the store.
    if (text == QString::number(m_options->GetVorwarnzeit()))
        return true;
    const std::optional<qint32> seconds = StrToVorwarnzeit(text);
    const bool taken = seconds && *seconds <= kMaxVorwarnzeit && m_options->SetVorwarnzeit(*seconds);
    showOptions(*m_options);
    return taken;
}

void StartPanel::warnVorwarnzeit()
{
    Ed_Vorwarnzeit->setFocus();
    Ed_Vorwarnzeit->selectAll();
    if (m_boxes)
        m_boxes->warning(tr(kLeadRange).arg(kMaxVorwarnzeit));
}

bool StartPanel::eventFilter(QObject* watched, QEvent* event)
{
    // The field shows the stored lead time at once; the warning waits until the focus has moved on,
    // so that it can take the focus back.
    if (watched == Ed_Vorwarnzeit && leavesControl(event) && !takeVorwarnzeit())
        QTimer::singleShot(0, this, &StartPanel::warnVorwarnzeit);
    return false;
}

} // namespace kelvaro
