#include "widgets/ActionPanel.h"

#include "core/PowerActions.h"
#include "core/PowerFailure.h"
#include "core/TEinst.h"
#include "widgets/ClickPanel.h"
#include "widgets/PngPictures.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QSignalBlocker>

#include <limits>

namespace kelvaro {

namespace {

constexpr int kPanelSize = 37;

QColor chosenColour()
{
    return QApplication::palette().color(QPalette::ToolTipBase);
}

QLabel* caption(QWidget* parent, const QString& text, int x, int y, int width, int height = 14)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setGeometry(x, y, width, height);
    return label;
}

} // namespace

ActionPanel::ActionPanel(Variant variant, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ActionPanel"));
    if (variant == Variant::MainWindow) {
        QLabel* intro = caption(this,
                                tr("Aktionen wirken sich aus, sobald der eingestellte Zeitpunkt erreicht "
                                   "ist bzw. der Countdown abgelaufen ist."),
                                16, 3, 336, 27);
        intro->setObjectName(QStringLiteral("Label13"));
    }

    P_Msg = makePanel(this, "P_Msg", "Img_Msg", QStringLiteral(":/actions/message.png"), 24, 48, tr("Nachricht"));

    auto* frame = new QFrame(this);
    frame->setObjectName(QStringLiteral("Panel6"));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setGeometry(89, 40, 193, 105);
    Panel6 = frame;
    P_Shutdown = makePanel(frame, "P_Shutdown", "Img_Shutdown", QStringLiteral(":/actions/shutdown.png"), 16, 8,
                           tr("Herunter-    fahren"));
    P_Restart =
        makePanel(frame, "P_Restart", "Img_Restart", QStringLiteral(":/actions/restart.png"), 76, 8, tr("Neu Starten"));
    P_Logoff =
        makePanel(frame, "P_Logoff", "Img_Logoff", QStringLiteral(":/actions/logoff.png"), 140, 8, tr("Abmelden"));
    CBx_Force = new QCheckBox(tr("Erzwingen"), frame);
    CBx_Force->setObjectName(QStringLiteral("CBx_Force"));
    CBx_Force->setToolTip(tr("Zwingt blockierende Programme auf die gewählte Aktion zu reagieren."));
    CBx_Force->setGeometry(64, 84, 110, 17);
    CBx_Force->setEnabled(false);
    if (variant == Variant::Editor)
        CBx_Force->setFocusPolicy(Qt::ClickFocus); // skipped by the Tab key

    P_Standby =
        makePanel(this, "P_Standby", "Img_Standby", QStringLiteral(":/actions/standby.png"), 296, 48, tr("Standby"));
    // A second row beside the frame: hibernate below standby, locking below the message (neither
    // ends the session nor can be forced).
    P_Hibernate = makePanel(this, "P_Hibernate", "Img_Hibernate", QStringLiteral(":/actions/hibernate.png"), 296, 104,
                            tr("Ruhe-zustand"));
    P_Sperren =
        makePanel(this, "P_Sperren", "Img_Sperren", QStringLiteral(":/actions/lock.png"), 24, 104, tr("Sperren"));

    QLabel* messageLabel = caption(this, tr("Na&chricht eingeben:"), 24, 168, 200, 16);
    messageLabel->setTextFormat(Qt::AutoText); // the "&" marks the keyboard accelerator
    Ed_Nachricht = new QLineEdit(this);
    Ed_Nachricht->setObjectName(QStringLiteral("Ed_Nachricht"));
    // The message has no length limit (the store and the command line bring any length): the
    // field must neither cut a long message when it shows it nor when the user edits it.
    Ed_Nachricht->setMaxLength(std::numeric_limits<int>::max());
    Ed_Nachricht->setGeometry(24, 188, 313, 21);
    messageLabel->setBuddy(Ed_Nachricht);

    connect(P_Msg, &ClickPanel::clicked, this, [this] { choose(AktionNachricht); });
    connect(P_Shutdown, &ClickPanel::clicked, this, [this] { choose(AktionShutdown); });
    connect(P_Restart, &ClickPanel::clicked, this, [this] { choose(AktionRestart); });
    connect(P_Logoff, &ClickPanel::clicked, this, [this] { choose(AktionLogoff); });
    connect(P_Standby, &ClickPanel::clicked, this, [this] { choose(AktionStandby); });
    connect(P_Hibernate, &ClickPanel::clicked, this, [this] { choose(AktionHibernate); });
    connect(P_Sperren, &ClickPanel::clicked, this, [this] { choose(AktionSperren); });
    connect(CBx_Force, &QCheckBox::clicked, this, &ActionPanel::CBx_ForceClick);
    connect(Ed_Nachricht, &QLineEdit::textChanged, this, &ActionPanel::Ed_NachrichtChange);
}

ClickPanel* ActionPanel::makePanel(QWidget* parent, const char* name, const char* pictureName, const QString& picture,
                                   int x, int y, const QString& text)
{
    auto* panel = new ClickPanel(QLatin1String(name), chosenColour(), parent);
    panel->setGeometry(x, y, kPanelSize, kPanelSize);
    panel->setPicture(QPixmap::fromImage(pngImage(picture)), QLatin1String(pictureName), 8, 8);
    // The caption below the panel is not clickable.
    caption(parent, text, x - 6, y + kPanelSize + 2, kPanelSize + 12, 28)
        ->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return panel;
}

void ActionPanel::bind(TEinst& options, std::function<void()> showOptions)
{
    m_options = &options;
    m_showOptions = std::move(showOptions);
}

ClickPanel* ActionPanel::panel(quint8 aktion) const
{
    switch (aktion) {
    case AktionNachricht:
        return P_Msg;
    case AktionShutdown:
        return P_Shutdown;
    case AktionRestart:
        return P_Restart;
    case AktionLogoff:
        return P_Logoff;
    case AktionStandby:
        return P_Standby;
    case AktionHibernate:
        return P_Hibernate;
    case AktionSperren:
        return P_Sperren;
    default:
        return nullptr;
    }
}

QString ActionPanel::statusText(quint8 aktion)
{
    switch (aktion) {
    case AktionNachricht:
        return tr("Nachricht anzeigen");
    case AktionShutdown:
        return tr("Rechner herunterfahren");
    case AktionRestart:
        return tr("Rechner neu starten");
    case AktionLogoff:
        return tr("Benutzer abmelden");
    case AktionStandby:
        return tr("Standby Modus");
    case AktionHibernate:
        return tr("Ruhezustand");
    case AktionSperren:
        return tr("Bildschirm sperren");
    default:
        return {};
    }
}

void ActionPanel::showOptions(const TEinst& options)
{
    const quint8 aktion = options.GetAktion();
    for (quint8 code = AktionNachricht; isKnownAktion(code); ++code)
        panel(code)->setChosen(code == aktion);

    const QSignalBlocker blockForce(CBx_Force);
    CBx_Force->setEnabled(isForceableAktion(aktion));
    CBx_Force->setChecked(options.GetForce());

    const QSignalBlocker blockMessage(Ed_Nachricht);
    Ed_Nachricht->setEnabled(aktion == AktionNachricht);
    if (Ed_Nachricht->text() != options.GetNachricht()) // keeps the cursor where the user types
        Ed_Nachricht->setText(options.GetNachricht());
}

void ActionPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_availabilityAsked || !m_power)
        return;
    // Asked once the panel is on the screen, and answered later: the window never waits for it.
    m_availabilityAsked = true;
    for (quint8 code = AktionShutdown; isKnownAktion(code); ++code) {
        m_power->askPermission(code, [panel = QPointer<ActionPanel>(this), code](PowerPermission permission) {
            const std::optional<QString> why = PowerFailure::startRefusal(code, permission);
            if (panel)
                panel->showAvailability(code, !why, why.value_or(QString()));
        });
    }
}

void ActionPanel::showAvailability(quint8 aktion, bool available, const QString& why)
{
    // A stored choice stays as it is: Start tells why it cannot be carried out.
    ClickPanel* const choice = panel(aktion);
    choice->setDimmed(!available);
    choice->setToolTip(why);
}

void ActionPanel::choose(quint8 aktion)
{
    if (!m_options)
        return;
    // Force stays as it is: it applies again when an action that can be forced is chosen again.
    m_options->SetAktion(aktion);
    m_showOptions();
}

void ActionPanel::CBx_ForceClick(bool checked)
{
    if (!m_options)
        return;
    m_options->SetForce(checked && isForceableAktion(m_options->GetAktion()));
    m_showOptions();
}

void ActionPanel::Ed_NachrichtChange(const QString& text)
{
    if (!m_options)
        return;
    m_options->SetNachricht(text);
    m_showOptions();
}

} // namespace kelvaro
