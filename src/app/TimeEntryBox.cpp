#include "app/TimeEntryBox.h"

#include "options/TEinst.h"
#include "options/TimeFields.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace kelvaro {

namespace {

constexpr int kPanelTop = 44;
constexpr int kPanelWidth = 198;
constexpr int kPanelHeight = 50;

QFrame* makePanel(QWidget* parent, const char* name)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(8, kPanelTop, kPanelWidth, kPanelHeight);
    return panel;
}

} // namespace

TimeEntryBox::TimeEntryBox(Modes modes, QWidget* parent) : QGroupBox(QStringLiteral("  Eingabe  "), parent)
{
    setObjectName(QStringLiteral("GroupBox_Eingabe"));

    CBx_Zeit = new QComboBox(this);
    CBx_Zeit->setObjectName(QStringLiteral("CBx_Zeit"));
    CBx_Zeit->setGeometry(8, 18, 198, 21);
    CBx_Zeit->addItem(QStringLiteral("Countdown"));
    CBx_Zeit->addItem(QStringLiteral("Zeitpunkt"));
    if (modes == Modes::WithStopwatch)
        CBx_Zeit->addItem(QStringLiteral("Stopuhr"));

    P_Countdown = makePanel(this, "P_Countdown");
    Ed_Stunden = makeField(P_Countdown, "Ed_Stunden", 0, QStringLiteral("Stunden"));
    Ed_Minuten = makeField(P_Countdown, "Ed_Minuten", 68, QStringLiteral("Minuten"));
    Ed_Sekunden = makeField(P_Countdown, "Ed_Sekunden", 136, QStringLiteral("Sekunden"));

    P_Uhrzeit = makePanel(this, "P_Uhrzeit");
    auto* uhrzeitLabel = new QLabel(QStringLiteral("Uhrzeit"), P_Uhrzeit);
    uhrzeitLabel->setGeometry(0, 0, 120, 14);
    Ed_Uhrzeit = new QLineEdit(P_Uhrzeit);
    Ed_Uhrzeit->setObjectName(QStringLiteral("Ed_Uhrzeit"));
    Ed_Uhrzeit->setGeometry(0, 16, 80, 21);
    // hh:mm:ss with an optional first hour digit and the colons kept in the text.
    Ed_Uhrzeit->setInputMask(QStringLiteral("09:99:99;_"));
    P_Uhrzeit->hide();

    P_Stopuhr = makePanel(this, "P_Stopuhr");
    L_Stopuhr = new QLabel(QStringLiteral("00:00:00:000"), P_Stopuhr);
    L_Stopuhr->setObjectName(QStringLiteral("L_Stopuhr"));
    L_Stopuhr->setTextFormat(Qt::PlainText);
    L_Stopuhr->setGeometry(0, 12, kPanelWidth, 24);
    QFont bold = L_Stopuhr->font();
    bold.setBold(true);
    bold.setPixelSize(16);
    L_Stopuhr->setFont(bold);
    P_Stopuhr->hide();
}

QLineEdit* TimeEntryBox::makeField(QWidget* parent, const char* name, int x, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(x, 0, 62, 14);
    auto* field = new QLineEdit(QStringLiteral("0"), parent);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(5);
    field->setGeometry(x, 16, 56, 21);
    return field;
}

QString TimeEntryBox::uhrzeitText() const
{
    QString text = Ed_Uhrzeit->displayText();
    text.replace(u'_', u' ');
    return text;
}

void TimeEntryBox::setUhrzeitText(const QString& text)
{
    const QSignalBlocker blocker(Ed_Uhrzeit);
    Ed_Uhrzeit->setText(text);
}

void TimeEntryBox::showOptions(const TEinst& options)
{
    const QSignalBlocker blockMode(CBx_Zeit);
    const QSignalBlocker blockHours(Ed_Stunden);
    const QSignalBlocker blockMinutes(Ed_Minuten);
    const QSignalBlocker blockSeconds(Ed_Sekunden);
    const QSignalBlocker blockClock(Ed_Uhrzeit);

    qint32 h = 0, m = 0, s = 0;
    options.GetZeit(h, m, s);
    const quint8 mode = options.GetZeitMode();
    switch (mode) {
    case ZeitCountdown:
        CBx_Zeit->setCurrentIndex(0);
        Ed_Stunden->setText(StundenToStr(h, false));
        Ed_Minuten->setText(MinutenToStr(m, false));
        Ed_Sekunden->setText(SekundenToStr(s, false));
        break;
    case ZeitUhrzeit:
        CBx_Zeit->setCurrentIndex(1);
        Ed_Uhrzeit->setText(StundenToStr(h, true) + u':' + MinutenToStr(m, true) + u':' + SekundenToStr(s, true));
        break;
    case ZeitStopuhr:
        // The editor's list has no stopwatch item: nothing is selected there.
        CBx_Zeit->setCurrentIndex(CBx_Zeit->count() > 2 ? 2 : -1);
        break;
    default:
        return; // no known mode: the controls stay as they are
    }
    P_Countdown->setVisible(mode == ZeitCountdown);
    P_Uhrzeit->setVisible(mode == ZeitUhrzeit);
    P_Stopuhr->setVisible(mode == ZeitStopuhr);
}

} // namespace kelvaro
