#include "widgets/TimeEntryBox.h"

#include "core/MessageBoxes.h"
#include "core/TEinst.h"
#include "core/TimeFields.h"
#include "widgets/FocusLeave.h"
#include "widgets/ProgramChoice.h"
#include "widgets/QuietLimitsPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>

namespace kelvaro {

namespace {

constexpr int kPanelTop = 44;
constexpr int kPanelWidth = 198;
constexpr int kPanelHeight = 50;
// "Leerlauf" shows its limits below the countdown fields, which move up a little to make room.
constexpr int kLeerlaufCountdownTop = 40;
constexpr int kCountdownHeight = 37;
constexpr int kLimitsTop = kLeerlaufCountdownTop + kCountdownHeight + 2;
constexpr int kLimitsHeight = 20;

// The warnings, translated where they are shown.
const char* const kOnlyNumbers =
    QT_TRANSLATE_NOOP("kelvaro::TimeEntryBox", "Fehler bei der Eingabe!\r\nEs sind nur Zahlen erlaubt.");
const char* const kHoursRange = QT_TRANSLATE_NOOP(
    "kelvaro::TimeEntryBox", "Fehler bei der Eingabe!\n\rEs sind nur Zahlen zwischen 0 und 23 erlaubt.");
const char* const kMinutesRange = QT_TRANSLATE_NOOP(
    "kelvaro::TimeEntryBox", "Fehler bei der Eingabe!\n\rEs sind nur Zahlen zwischen 0 und 59 erlaubt.");
const char* const kMaskError =
    QT_TRANSLATE_NOOP("kelvaro::TimeEntryBox", "Invalid input value.  Use escape key to abandon changes");

QFrame* makePanel(QWidget* parent, const char* name)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setGeometry(8, kPanelTop, kPanelWidth, kPanelHeight);
    return panel;
}

} // namespace

TimeEntryBox::TimeEntryBox(Modes modes, QWidget* parent) : QGroupBox(tr("  Eingabe  "), parent)
{
    setObjectName(QStringLiteral("GroupBox_Eingabe"));

    CBx_Zeit = new QComboBox(this);
    CBx_Zeit->setObjectName(QStringLiteral("CBx_Zeit"));
    CBx_Zeit->setGeometry(8, 18, 198, 21);
    // Each item carries its code: the editor's list has no stopwatch.
    CBx_Zeit->addItem(tr("Countdown"), int(ZeitCountdown));
    CBx_Zeit->addItem(tr("Zeitpunkt"), int(ZeitUhrzeit));
    if (modes == Modes::WithStopwatch)
        CBx_Zeit->addItem(tr("Stopuhr"), int(ZeitStopuhr));
    CBx_Zeit->addItem(tr("Programmende"), int(ZeitProgrammende));
    CBx_Zeit->addItem(tr("Inaktivität"), int(ZeitInaktivitaet));
    CBx_Zeit->setItemData(CBx_Zeit->count() - 1,
                          tr("Die Aktion folgt, sobald so lange keine Eingabe über Tastatur oder Maus kam."),
                          Qt::ToolTipRole);
    CBx_Zeit->addItem(tr("Leerlauf"), int(ZeitLeerlauf));
    CBx_Zeit->setItemData(CBx_Zeit->count() - 1,
                          tr("Die Aktion folgt, sobald Prozessor und Netz so lange ohne Unterbrechung unter "
                             "ihren Grenzen blieben."),
                          Qt::ToolTipRole);

    P_Countdown = makePanel(this, "P_Countdown");
    Ed_Stunden = makeField(P_Countdown, "Ed_Stunden", 0, tr("Stunden"));
    Ed_Minuten = makeField(P_Countdown, "Ed_Minuten", 68, tr("Minuten"));
    Ed_Sekunden = makeField(P_Countdown, "Ed_Sekunden", 136, tr("Sekunden"));

    P_Uhrzeit = makePanel(this, "P_Uhrzeit");
    auto* uhrzeitLabel = new QLabel(tr("Uhrzeit"), P_Uhrzeit);
    uhrzeitLabel->setGeometry(0, 0, 120, 14);
    Ed_Uhrzeit = new QLineEdit(P_Uhrzeit);
    Ed_Uhrzeit->setObjectName(QStringLiteral("Ed_Uhrzeit"));
    Ed_Uhrzeit->setGeometry(0, 16, 80, 21);
    // hh:mm:ss with an optional first hour digit and the colons kept in the text.
    Ed_Uhrzeit->setInputMask(QStringLiteral("09:99:99;_"));
    Ed_Uhrzeit->installEventFilter(this);
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

    P_Programmende = makePanel(this, "P_Programmende");
    auto* programLabel = new QLabel(tr("Programmname oder Prozessnummer"), P_Programmende);
    programLabel->setGeometry(0, 0, kPanelWidth, 14);
    P_Programmende->hide();

    P_Leerlauf = new QuietLimitsPanel(this);
    P_Leerlauf->setGeometry(8, kLimitsTop, kPanelWidth, kLimitsHeight);
    P_Leerlauf->hide();

    connect(CBx_Zeit, &QComboBox::activated, this, &TimeEntryBox::CBx_ZeitChange);
    connect(Ed_Stunden, &QLineEdit::textChanged, this, &TimeEntryBox::Ed_StundenChange);
    connect(Ed_Minuten, &QLineEdit::textChanged, this, &TimeEntryBox::Ed_MinutenChange);
    connect(Ed_Sekunden, &QLineEdit::textChanged, this, &TimeEntryBox::Ed_SekundenChange);
}

void TimeEntryBox::makeProgramChoice()
{
    if (CBx_Programm)
        return;
    CBx_Programm = new ProgramChoice(P_Programmende);
    CBx_Programm->setObjectName(QStringLiteral("CBx_Programm"));
    CBx_Programm->setGeometry(0, 16, kPanelWidth, 21);
    CBx_Programm->setProcesses(m_processes);
    CBx_Programm->setEnabled(m_entryEnabled);
    CBx_Programm->show();
    setTabOrder(Ed_Uhrzeit, CBx_Programm); // its place among the fields, as if made with them
    connect(CBx_Programm, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (m_options)
            m_options->SetProgramm(text);
    });
}

QLineEdit* TimeEntryBox::makeField(QWidget* parent, const char* name, int x, const QString& caption)
{
    auto* label = new QLabel(caption, parent);
    label->setGeometry(x, 0, 62, 14);
    auto* field = new QLineEdit(QStringLiteral("0"), parent);
    field->setObjectName(QLatin1String(name));
    field->setMaxLength(5);
    field->setGeometry(x, 16, 56, 21);
    field->installEventFilter(this);
    return field;
}

void TimeEntryBox::bind(TEinst& options, MessageBoxes& boxes, ProcessWatcher& processes,
                        std::function<void()> showOptions)
{
    m_options = &options;
    m_boxes = &boxes;
    m_processes = &processes;
    if (CBx_Programm)
        CBx_Programm->setProcesses(&processes);
    P_Leerlauf->bind(options, boxes, showOptions);
    m_showOptions = std::move(showOptions);
}

QLineEdit* TimeEntryBox::field(Target target) const
{
    switch (target) {
    case TargetStunden:
        return Ed_Stunden;
    case TargetMinuten:
        return Ed_Minuten;
    case TargetSekunden:
        return Ed_Sekunden;
    default:
        return nullptr;
    }
}

TimeEntryBox::Target TimeEntryBox::targetOf(QObject* object) const
{
    if (object == Ed_Stunden)
        return TargetStunden;
    if (object == Ed_Minuten)
        return TargetMinuten;
    if (object == Ed_Sekunden)
        return TargetSekunden;
    return TargetNone;
}

void TimeEntryBox::setCountdownEntryEnabled(bool enabled)
{
    CBx_Zeit->setEnabled(enabled);
    Ed_Stunden->setEnabled(enabled);
    Ed_Minuten->setEnabled(enabled);
    Ed_Sekunden->setEnabled(enabled);
    m_entryEnabled = enabled;
    if (CBx_Programm)
        CBx_Programm->setEnabled(enabled);
    P_Leerlauf->setEnabled(enabled);
}

// ---------------------------------------------------------------------------------------------
// Display

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
    m_uhrzeitAtEntry = Ed_Uhrzeit->text();
}

void TimeEntryBox::showOptions(const TEinst& options)
{
    const QSignalBlocker blockMode(CBx_Zeit);
    const QSignalBlocker blockHours(Ed_Stunden);
    const QSignalBlocker blockMinutes(Ed_Minuten);
    const QSignalBlocker blockSeconds(Ed_Sekunden);

    qint32 h = 0, m = 0, s = 0;
    options.GetZeit(h, m, s);
    const quint8 mode = options.GetZeitMode();
    // The program field, an editable list, is made when the mode first needs it.
    if (mode == ZeitProgrammende)
        makeProgramChoice();
    if (CBx_Programm)
        CBx_Programm->setText(options.GetProgramm());
    switch (mode) {
    case ZeitCountdown:
    case ZeitInaktivitaet:
    case ZeitLeerlauf: // the countdown fields hold the time the condition must last
        Ed_Stunden->setText(StundenToStr(h, false));
        Ed_Minuten->setText(MinutenToStr(m, false));
        Ed_Sekunden->setText(SekundenToStr(s, false));
        break;
    case ZeitUhrzeit:
        setUhrzeitText(StundenToStr(h, true) + u':' + MinutenToStr(m, true) + u':' + SekundenToStr(s, true));
        break;
    case ZeitStopuhr:
    case ZeitProgrammende:
        break;
    default:
        return; // no known mode: the controls stay as they are
    }
    // The editor's list has no stopwatch item: nothing is selected there.
    CBx_Zeit->setCurrentIndex(CBx_Zeit->findData(int(mode)));
    const bool countdownFields = mode == ZeitCountdown || mode == ZeitInaktivitaet || mode == ZeitLeerlauf;
    P_Countdown->setGeometry(8, mode == ZeitLeerlauf ? kLeerlaufCountdownTop : kPanelTop, kPanelWidth,
                             mode == ZeitLeerlauf ? kCountdownHeight : kPanelHeight);
    P_Countdown->setVisible(countdownFields);
    P_Uhrzeit->setVisible(mode == ZeitUhrzeit);
    P_Stopuhr->setVisible(mode == ZeitStopuhr);
    P_Programmende->setVisible(mode == ZeitProgrammende);
    P_Leerlauf->showOptions(options);
    P_Leerlauf->setVisible(mode == ZeitLeerlauf);
}

// ---------------------------------------------------------------------------------------------
// Handlers

void TimeEntryBox::CBx_ZeitChange(int index)
{
    if (index < 0 || !m_options)
        return;
    m_options->SetZeitMode(static_cast<quint8>(CBx_Zeit->itemData(index).toUInt()));
    if (m_showOptions)
        m_showOptions();
}

void TimeEntryBox::validate(Target target)
{
    QLineEdit* edit = field(target);
    if (!m_options || !edit)
        return;
    auto focusAndSelect = [edit] {
        edit->setFocus();
        edit->selectAll();
    };

    if (edit->text().isEmpty()) {
        edit->setText(QStringLiteral("0")); // validated again, nested, and stored as 0
        focusAndSelect();
    }
    const std::optional<qint32> value = StrToInt(edit->text());
    if (!value) {
        m_boxes->warning(tr(kOnlyNumbers));
        focusAndSelect();
        return;
    }
    bool accepted = false;
    switch (target) {
    case TargetStunden:
        accepted = m_options->SetStunden(*value);
        break;
    case TargetMinuten:
        accepted = m_options->SetMinuten(*value);
        break;
    default:
        accepted = m_options->SetSekunden(*value);
        break;
    }
    if (!accepted) {
        edit->setText(edit->text().chopped(1)); // the shorter text is validated again, nested
        focusAndSelect();
        m_boxes->warning(tr(target == TargetStunden ? kHoursRange : kMinutesRange));
    }
}

void TimeEntryBox::Ed_UhrzeitExit()
{
    if (!m_options)
        return;
    const QString text = uhrzeitText();
    const std::optional<qint32> h = StrToInt(text.mid(0, 2));
    const std::optional<qint32> m = StrToInt(text.mid(3, 2));
    const std::optional<qint32> s = StrToInt(text.mid(6, 2));
    if (!h || !m || !s) {
        setUhrzeitText(QStringLiteral("00:00:00"));
        m_options->SetStunden(0);
        m_options->SetMinuten(0);
        m_options->SetSekunden(0);
        return;
    }
    // A group outside its range is refused by its setter; the field keeps showing it.
    m_options->SetStunden(*h);
    m_options->SetMinuten(*m);
    m_options->SetSekunden(*s);
}

bool TimeEntryBox::uhrzeitCheckFails()
{
    return Ed_Uhrzeit->text() != m_uhrzeitAtEntry && !Ed_Uhrzeit->hasAcceptableInput();
}

void TimeEntryBox::showUhrzeitError()
{
    QApplication::beep();
    m_keepEntry = true; // the focus comes back to the same, unfinished entry
    Ed_Uhrzeit->setFocus();
    m_keepEntry = false;
    if (m_boxes)
        m_boxes->showError(QApplication::applicationName(), tr(kMaskError));
}

bool TimeEntryBox::commitUhrzeit()
{
    if (uhrzeitCheckFails()) {
        showUhrzeitError();
        return false;
    }
    Ed_UhrzeitExit();
    m_uhrzeitAtEntry = Ed_Uhrzeit->text();
    return true;
}

bool TimeEntryBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Ed_Uhrzeit) {
        switch (event->type()) {
        case QEvent::FocusIn:
            // Entering from another control (not coming back from a box) starts a new entry.
            if (!m_keepEntry && static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
                static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
                m_uhrzeitAtEntry = Ed_Uhrzeit->text();
            break;
        case QEvent::FocusOut:
            if (leavesControl(event)) {
                if (uhrzeitCheckFails()) {
                    // Once the focus has moved: the error box, and the focus goes back; nothing is taken over.
                    QTimer::singleShot(0, this, &TimeEntryBox::showUhrzeitError);
                } else {
                    Ed_UhrzeitExit();
                }
            }
            break;
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                Ed_Uhrzeit->setText(m_uhrzeitAtEntry); // abandon the changes
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

    const Target target = targetOf(watched);
    if (target == TargetNone)
        return false;
    switch (event->type()) {
    case QEvent::FocusOut:
        // Validated again once the focus has moved on, so a warning can take the focus back.
        if (leavesControl(event))
            QTimer::singleShot(0, this, [this, target] { validate(target); });
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QLineEdit*>(watched)->text() == QStringLiteral("0"))
            static_cast<QLineEdit*>(watched)->selectAll();
        break;
    case QEvent::MouseButtonDblClick:
        Q_EMIT fieldDoubleClicked(target);
        return true;
    default:
        break;
    }
    return false;
}

void TimeEntryBox::resetIncompleteUhrzeit()
{
    const QString text = uhrzeitText();
    if (!IsNumber(text.mid(0, 2)) || !IsNumber(text.mid(3, 2)) || !IsNumber(text.mid(6, 2)))
        setUhrzeitText(QStringLiteral("00:00:00"));
}

} // namespace kelvaro
