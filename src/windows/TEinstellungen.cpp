#include "windows/TEinstellungen.h"

#include "core/MediaPlayer.h"
#include "core/MessageBoxes.h"
#include "core/ProcessWatcher.h"
#include "core/QuietWatch.h"
#include "core/RunSchedule.h"
#include "widgets/ActionPanel.h"
#include "widgets/FormLook.h"
#include "widgets/ProgramChoice.h"
#include "widgets/QuietLimitsPanel.h"
#include "widgets/SoundPanel.h"
#include "widgets/StartPanel.h"
#include "widgets/TimeEntryBox.h"

#include <QBoxLayout>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace kelvaro {

namespace {

// Client area for an outer size of 460 by 694 with the usual frame, a row more for the lead time and
// room for the second row of actions.
constexpr int kClientWidth = 452;
constexpr int kClientHeight = 667 + 28 + 8;
constexpr int kPanelWidth = 377;

const char* const kNoMessage = QT_TRANSLATE_NOOP("kelvaro::TEinstellungen", "Fehler - Keine Nachricht eingegeben");

/** A full-width white strip of fixed height. */
QFrame* whiteStrip(QWidget* parent, const char* name, int height)
{
    auto* strip = new QFrame(parent);
    strip->setObjectName(QLatin1String(name));
    strip->setFixedHeight(height);
    strip->setAutoFillBackground(true);
    QPalette pal = strip->palette();
    pal.setColor(QPalette::Window, Qt::white);
    strip->setPalette(pal);
    return strip;
}

QLabel* plainLabel(QWidget* parent, const QString& text, const QFont& font)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    return label;
}

QLabel* heading(const QString& text)
{
    return plainLabel(nullptr, text, formFont(QStringLiteral("MS Sans Serif"), 11, QFont::Bold));
}

/**
 * A holder that shows `panel` from `top` downwards, `height` high: the shared panels keep the
 * room that the main window's pages give their introductions, which the editor does not show.
 */
QWidget* clipped(QWidget* panel, int top, int height)
{
    auto* holder = new QWidget;
    holder->setFixedSize(kPanelWidth, height);
    panel->setParent(holder);
    panel->setGeometry(0, -top, kPanelWidth, height + top);
    return holder;
}

QPushButton* footerButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(75, 25);
    return button;
}

} // namespace

TEinstellungen::TEinstellungen(MessageBoxes& boxes, FileDialogs& fileDialogs, AudioDevice& audio,
                               ProcessWatcher& processes, QWidget* parent)
    : QDialog(parent), m_boxes(boxes), m_errors(boxes)
{
    MediaPlayer1 = new MediaPlayer(audio, this);
    MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
    setupUi();

    const auto showOptions = [this] {
        ShowOptions();
    };
    Eingabe->bind(m_editorOptions, m_boxes, processes, showOptions);
    Aktion->bind(m_editorOptions, showOptions);
    Sound->bind({m_editorOptions, *MediaPlayer1, fileDialogs, m_errors, showOptions});
    Start->bind(m_editorOptions, m_boxes);

    connect(Btn_OK, &QPushButton::clicked, this, [this] { m_errors.guard([this] { Btn_OKClick(); }); });
    connect(Btn_Schliessen, &QPushButton::clicked, this, &TEinstellungen::Btn_SchliessenClick);
}

void TEinstellungen::setupUi()
{
    setObjectName(QStringLiteral("Einstellungen"));
    setWindowTitle(tr("Einstellungen"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(defaultFormFont());
    setSizeGripEnabled(true);
    resize(kClientWidth, kClientHeight);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);

    QFrame* top = whiteStrip(this, "P_Top", 41);
    plainLabel(top, tr("Einstellungs-Editor"), formFont(QStringLiteral("Tahoma"), 13, QFont::Bold))->move(8, 4);
    plainLabel(top, tr("Wählen Sie hier Ihre gewünschten Einstellungen aus."), font())->move(24, 22);
    root->addWidget(top);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(8, 2, 8, 2);
    body->setSpacing(1);
    root->addLayout(body, 1);

    body->addWidget(heading(tr("Zeit")));
    Eingabe = new TimeEntryBox(TimeEntryBox::Modes::WithoutStopwatch);
    Eingabe->setFixedSize(214, 102);
    auto* timeRow = new QHBoxLayout;
    timeRow->addSpacing(16);
    timeRow->addWidget(Eingabe);
    timeRow->addStretch();
    body->addLayout(timeRow);

    body->addWidget(heading(tr("Aktion")));
    Aktion = new ActionPanel(ActionPanel::Variant::Editor);
    body->addWidget(clipped(Aktion, 36, 177), 0, Qt::AlignLeft);

    body->addWidget(heading(tr("Sound")));
    Sound = new SoundPanel(SoundPanel::Variant::Editor);
    body->addWidget(clipped(Sound, 10, 146), 0, Qt::AlignLeft);

    body->addWidget(heading(tr("Starteinstellungen")));
    Start = new StartPanel(StartPanel::Variant::Editor);
    Start->setFixedSize(kPanelWidth, 100);
    body->addWidget(Start, 0, Qt::AlignLeft);
    body->addStretch();

    QFrame* bottom = whiteStrip(this, "P_BottomLeiste", 37);
    auto* buttons = new QHBoxLayout(bottom);
    buttons->setContentsMargins(8, 6, 8, 6);
    buttons->addStretch();
    Btn_OK = footerButton(bottom, "Btn_OK", tr("OK"));
    Btn_OK->setDefault(true); // Enter anywhere in the dialog means "OK", never a sound button
    buttons->addWidget(Btn_OK);
    Btn_Schliessen = footerButton(bottom, "Btn_Schliessen", tr("Schließen"));
    buttons->addWidget(Btn_Schliessen);
    root->addWidget(bottom);
}

void TEinstellungen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TEinstellungen::FormShow()
{
    m_accepted = false;
    ShowOptions();
    centreOnScreen(*this);
}

void TEinstellungen::ShowOptions()
{
    // The time, the action with its force box and message, the sound (disabled unless the action
    // is the message) and the start settings; the editor has no status texts.
    Eingabe->showOptions(m_editorOptions);
    Aktion->showOptions(m_editorOptions);
    Sound->showOptions(m_editorOptions);
    Start->showOptions(m_editorOptions);
}

void TEinstellungen::Btn_OKClick()
{
    // A clock time confirmed with Enter is taken over first, after the field's own check.
    if (focusWidget() == Eingabe->Ed_Uhrzeit && !Eingabe->commitUhrzeit())
        return;

    qint32 h = 0, m = 0, s = 0;
    m_editorOptions.GetZeit(h, m, s);
    if (m_editorOptions.GetZeitMode() == ZeitCountdown && !RunSchedule::countdownHasLength(h, m, s)) {
        m_boxes.information(RunSchedule::zeroCountdownText());
        return;
    }
    // A preset waits for a program by its name or number; whether it runs is seen at the start.
    if (m_editorOptions.GetZeitMode() == ZeitProgrammende &&
        ProgramTarget::parse(m_editorOptions.GetProgramm()).empty()) {
        if (Eingabe->CBx_Programm)
            Eingabe->CBx_Programm->setFocus();
        m_boxes.warning(RunSchedule::noProgramText());
        return;
    }
    // With both limits at 0 nothing would be watched.
    if (m_editorOptions.GetZeitMode() == ZeitLeerlauf &&
        !QuietWatch::limitsWatchable(m_editorOptions.GetLeerlaufCpu(), m_editorOptions.GetLeerlaufNetz())) {
        Eingabe->P_Leerlauf->Ed_LeerlaufCPU->setFocus();
        m_boxes.warning(RunSchedule::noQuietLimitText());
        return;
    }
    if (m_editorOptions.GetAktion() == AktionNachricht && m_editorOptions.GetNachricht().isEmpty()) {
        Aktion->Ed_Nachricht->setFocus();
        m_boxes.warning(tr(kNoMessage));
        return;
    }
    m_accepted = true;
    accept();
}

void TEinstellungen::Btn_SchliessenClick()
{
    reject();
}

} // namespace kelvaro
