#include "widgets/QuietLimitsPanel.h"

#include "core/MessageBoxes.h"
#include "core/TEinst.h"
#include "core/TimeFields.h"
#include "widgets/FocusLeave.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

namespace kelvaro {

namespace {

const char* const kCpuRange = QT_TRANSLATE_NOOP(
    "kelvaro::QuietLimitsPanel", "Fehler bei der Eingabe!\n\rEs sind nur Zahlen zwischen 0 und 100 erlaubt.");
const char* const kNetzRange =
    QT_TRANSLATE_NOOP("kelvaro::QuietLimitsPanel", "Fehler bei der Eingabe!\n\rEs sind nur Zahlen ab 0 erlaubt.");

QLabel* plainLabel(QWidget* parent, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

QuietLimitsPanel::QuietLimitsPanel(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("P_Leerlauf"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);

    L_LeerlaufCPU = plainLabel(this, tr("CPU <"));
    L_LeerlaufCPU->setObjectName(QStringLiteral("L_LeerlaufCPU"));
    Ed_LeerlaufCPU = new QLineEdit(QString::number(TEinst::kDefaultLeerlaufCpu), this);
    Ed_LeerlaufCPU->setObjectName(QStringLiteral("Ed_LeerlaufCPU"));
    Ed_LeerlaufCPU->setMaxLength(3);
    Ed_LeerlaufCPU->setFixedWidth(30);
    L_LeerlaufCPU->setBuddy(Ed_LeerlaufCPU);
    L_LeerlaufNetz = plainLabel(this, tr("Netz <"));
    L_LeerlaufNetz->setObjectName(QStringLiteral("L_LeerlaufNetz"));
    Ed_LeerlaufNetz = new QLineEdit(QString::number(TEinst::kDefaultLeerlaufNetz), this);
    Ed_LeerlaufNetz->setObjectName(QStringLiteral("Ed_LeerlaufNetz"));
    Ed_LeerlaufNetz->setMaxLength(10);
    // Room for five digits; with a larger font the field gives way before the captions do.
    Ed_LeerlaufNetz->setMinimumWidth(28);
    Ed_LeerlaufNetz->setMaximumWidth(44);
    L_LeerlaufNetz->setBuddy(Ed_LeerlaufNetz);

    row->addWidget(L_LeerlaufCPU);
    row->addWidget(Ed_LeerlaufCPU);
    row->addWidget(plainLabel(this, QStringLiteral("%")));
    row->addSpacing(6);
    row->addWidget(L_LeerlaufNetz);
    row->addWidget(Ed_LeerlaufNetz, 1);
    row->addWidget(plainLabel(this, tr("kB/s")));
    row->addStretch(0);

    const QString cpuTip = tr("Der Rechner gilt als ruhig, solange die Prozessorlast unter so vielen Prozent "
                              "bleibt.\n0 = nicht beobachtet");
    const QString netzTip = tr("Der Rechner gilt als ruhig, solange der Netzverkehr (empfangen und gesendet) unter "
                               "so vielen kB/s bleibt.\n0 = nicht beobachtet");
    L_LeerlaufCPU->setToolTip(cpuTip);
    Ed_LeerlaufCPU->setToolTip(cpuTip);
    L_LeerlaufNetz->setToolTip(netzTip);
    Ed_LeerlaufNetz->setToolTip(netzTip);

    Ed_LeerlaufCPU->installEventFilter(this);
    Ed_LeerlaufNetz->installEventFilter(this);
}

void QuietLimitsPanel::bind(TEinst& options, MessageBoxes& boxes, std::function<void()> showOptions)
{
    m_options = &options;
    m_boxes = &boxes;
    m_showOptions = std::move(showOptions);
}

void QuietLimitsPanel::showOptions(const TEinst& options)
{
    for (const Limit limit : {Cpu, Netz}) {
        QLineEdit* edit = field(limit);
        const QSignalBlocker block(edit);
        const QString stored = QString::number(limit == Cpu ? options.GetLeerlaufCpu() : options.GetLeerlaufNetz());
        if (edit->text() != stored)
            edit->setText(stored);
    }
}

bool QuietLimitsPanel::take(Limit limit)
{
    if (!m_options)
        return true;
    const QString text = field(limit)->text();
    const qint32 stored = limit == Cpu ? m_options->GetLeerlaufCpu() : m_options->GetLeerlaufNetz();
    if (text == QString::number(stored))
        return true;
    // Any whole number the options object takes for the limit; the setters check the range.
    const std::optional<qint32> value = StrToInt(text);
    const bool taken = value && (limit == Cpu ? m_options->SetLeerlaufCpu(*value) : m_options->SetLeerlaufNetz(*value));
    showOptions(*m_options);
    if (taken && m_showOptions)
        m_showOptions();
    return taken;
}

void QuietLimitsPanel::warn(Limit limit)
{
    QLineEdit* edit = field(limit);
    edit->setFocus();
    edit->selectAll();
    if (m_boxes)
        m_boxes->warning(tr(limit == Cpu ? kCpuRange : kNetzRange));
}

bool QuietLimitsPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != Ed_LeerlaufCPU && watched != Ed_LeerlaufNetz)
        return false;
    const Limit limit = watched == Ed_LeerlaufCPU ? Cpu : Netz;
    // Enter takes the field; a refused entry keeps the key, so that it does not also confirm the
    // dialog the field is in.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !take(limit)) {
            warn(limit);
            return true;
        }
    }
    // The field shows the stored limit at once; the warning waits until the focus has moved on, so
    // that it can take the focus back.
    if (leavesControl(event) && !take(limit))
        QTimer::singleShot(0, this, [this, limit] { warn(limit); });
    return false;
}

} // namespace kelvaro
