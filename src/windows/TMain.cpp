#include "windows/TMain.h"

#include "core/AppError.h"
#include "core/Clock.h"
#include "core/CommandLine.h"
#include "core/CountdownRing.h"
#include "core/ExpirySound.h"
#include "core/MessageBoxes.h"
#include "core/PowerActions.h"
#include "core/ProcessWatcher.h"
#include "core/RunAnnouncement.h"
#include "core/RunSchedule.h"
#include "core/RunTrace.h"
#include "core/SerialDateTime.h"
#include "core/TestSound.h"
#include "core/TimeFields.h"
#include "core/TimedRun.h"
#include "core/TimerService.h"
#include "resources/Resources.h"
#include "widgets/ActionPanel.h"
#include "widgets/ConfigButtonImages.h"
#include "widgets/DigitPad.h"
#include "widgets/FormLook.h"
#include "widgets/ModalRunner.h"
#include "widgets/SoundPanel.h"
#include "widgets/StartPanel.h"
#include "widgets/StatusPanels.h"
#include "widgets/TimeEntryBox.h"
#include "widgets/TrayRing.h"
#include "windows/Announcer.h"
#include "windows/PowerActionRun.h"
#include "windows/PresetsPage.h"
#include "windows/SchedulesPage.h"
#include "windows/ShortcutPage.h"
#include "windows/TDeinstallation.h"
#include "windows/TEinstellungen.h"
#include "windows/THilfe.h"
#include "windows/TInfofenster.h"
#include "windows/TNachricht.h"
#include "windows/TVorwarnung.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTabWidget>
#include <QWindow>

#include <algorithm>

namespace kelvaro {

namespace {

constexpr int kOpenHeight = 527;
constexpr int kClosedHeight = 250;
constexpr int kOpenCloseThreshold = 300;

/** The file-name part of a path: everything after the last backslash, slash or colon. */
QString fileNamePart(const QString& path)
{
    const qsizetype cut = std::max({path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'), path.lastIndexOf(u':')});
    return path.mid(cut + 1);
}

} // namespace

template <typename Handler>
auto TMain::guarded(Handler handler)
{
    return m_errors.guarded(this, handler);
}

TMain::TMain(const MainServices& services, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_errors(services.boxes),
      m_trayIcon(services.trayShell, services.timers, this), m_badge(m_trayIcon, QImage(programIconPath())),
      m_timer1(services.timers.create(guarded(&TMain::Timer1Timer), TimerPrecision::Precise))
{
    m_ui.setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    centreOnScreen(*this);
    setWindowTitle(captionBase());
    setDefaultButton(m_ui.Btn_Start);
    setUpTrayIcon();
    createRun();
    bindPanels();
    connectHandlers();
    createPages();

    // A parameter list that is accepted decides every option of this run; otherwise the stored
    // default set is loaded. The two are never mixed.
    m_errors.guard([this] {
        m_presets->RemoveOldValues();
        if (!ParseCommandLine(m_options, m_services.parameters, m_services.boxes))
            m_options.LoadFromRegistry(m_services.registry, 0);
    });
}

TMain::~TMain() = default;

void TMain::createRun()
{
    m_announcer = std::make_unique<Announcer>(m_services.notifications, m_services.timers, m_services.clock,
                                              Announcer::Choices{[this] { m_ui.Btn_Reset->click(); },
                                                                 guarded(&TMain::Spaeter1Click),
                                                                 [this] {
                                                                     m_powerRun->forceAtEnd();
                                                                 }},
                                              [this](qint64 shownMs) { m_run->announcementShown(shownMs); });
    m_announcer->setKeepClear([this] { return announcementKeepClear(); });
    m_powerRun = std::make_unique<PowerActionRun>(
        PowerActionRun::Links{m_services.power, m_services.boxes, m_services.notifications, *m_announcer});
    m_powerRun->noteChanged = [this] {
        showPowerNote();
    };
    RunController::Links links{
        m_services.clock,
        m_services.timers,
        m_options,
        m_services.boxes,
        *m_powerRun,
        m_services.sound,
        m_services.runTrace,
        {m_services.processes, m_services.idle, m_services.load, m_services.timers, m_services.clock},
        [this](const std::function<void()>& step) {
            m_errors.guard(step);
        }};
    RunController::View view{[this](bool running) { setRunningState(running); },
                             [this](const RunDisplay& display) { showRun(display); },
                             [this] { m_trayIcon.MinimizeMainWindow(); },
                             [this] { showMessageWindow(); },
                             [this] { close(); },
                             [this] {
                                 noteRemoteChange();
                             }};
    m_run = std::make_unique<RunController>(std::move(links), std::move(view));
}

TVorwarnung* TMain::announcementWindow() const
{
    return m_announcer->window();
}

QList<QRect> TMain::announcementKeepClear() const
{
    // Above all the window's buttons; the whole window when there is room beside it.
    if (!isVisible() || isMinimized())
        return {};
    QRect buttons;
    for (const QPushButton* button : findChildren<QPushButton*>())
        if (button->isVisible())
            buttons |= QRect(button->mapToGlobal(QPoint(0, 0)), button->size());
    return {frameGeometry(), buttons};
}

void TMain::setSecondaryWindows(const SecondaryWindows& windows)
{
    m_windows = windows;
    if (m_windows.einstellungen)
        m_windows.einstellungen->Aktion->setPowerActions(&m_services.power);
}

void TMain::bindPanels()
{
    const auto showOptions = [this] {
        ShowOptions();
    };
    m_ui.Eingabe->bind(m_options, m_services.boxes, m_services.processes, showOptions);
    m_ui.Aktion->bind(m_options, showOptions);
    m_ui.Aktion->setPowerActions(&m_services.power);
    m_ui.Sound->bind({m_options, m_services.mediaPlayer, m_services.fileDialogs, m_errors, showOptions});
    m_ui.Start->bind(m_options, m_services.boxes);
    connect(m_ui.Eingabe, &TimeEntryBox::fieldDoubleClicked, this, [this](TimeEntryBox::Target target) {
        m_ui.P_Eingabehilfe->ToggleDigitPad(!m_ui.P_Eingabehilfe->isVisible(), target);
    });
}

void TMain::createPages()
{
    const auto editor = [this] {
        return m_windows.einstellungen;
    };
    m_presets = std::make_unique<PresetsPage>(
        PresetsPage::Controls{m_ui.LBx_Presets, m_ui.Btn_Presets_Add, m_ui.Btn_Presets_Del, m_ui.Btn_Presets_Change,
                              m_ui.CBx_Presets},
        PresetsPage::Links{m_services.registry, m_options, [this] { ShowOptions(); }, editor, m_services.modal,
                           m_services.inputBox, m_errors, this});
    m_shortcut = std::make_unique<ShortcutPage>(
        ShortcutPage::Controls{m_ui.Ed_LinkDatei, m_ui.Button1, m_ui.Button2, m_ui.Button3},
        ShortcutPage::Links{editor, m_services.modal, m_services.fileDialogs, m_services.boxes, m_errors,
                            m_services.programPath});
    m_schedules = std::make_unique<SchedulesPage>(
        m_ui.TS_Zeitplaene,
        SchedulesPage::Links{m_services.serviceManager, m_services.scheduleFolder, m_options,
                             [this] { return m_presets->PresetList(); }, m_services.boxes, m_services.programPath});
}

void TMain::connectHandlers()
{
    connect(m_ui.Btn_Start, &QPushButton::clicked, this, guarded(&TMain::Btn_StartClick));
    connect(m_ui.Btn_Reset, &QPushButton::clicked, this, guarded(&TMain::Btn_ResetClick));
    connect(m_ui.Btn_Config, &QPushButton::clicked, this, guarded(&TMain::Btn_ConfigClick));
    connect(m_ui.Btn_Speichern, &QPushButton::clicked, this, guarded(&TMain::Btn_SpeichernClick));
    connect(m_ui.Btn_Beenden, &QPushButton::clicked, this, &QWidget::close);

    connect(m_ui.Beenden1, &QAction::triggered, this, &QWidget::close);
    connect(m_ui.Einstellungen1, &QAction::triggered, m_ui.Btn_Config, &QPushButton::click);
    connect(m_ui.Programmdeinstallieren1, &QAction::triggered, this,
            [this] { m_errors.guard([this] { showModal(m_windows.deinstallation); }); });
    connect(m_ui.Hilfe1, &QAction::triggered, this, [this] { m_errors.guard([this] { showModal(m_windows.hilfe); }); });
    connect(m_ui.Info2, &QAction::triggered, this,
            [this] { m_errors.guard([this] { showModal(m_windows.infofenster); }); });

    // F10 opens the first menu, as on the usual desktops.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this] { menuBar()->setActiveAction(m_ui.MenuDatei->menuAction()); });

    connect(m_ui.Start1, &QAction::triggered, m_ui.Btn_Start, &QPushButton::click);
    connect(m_ui.Stop1, &QAction::triggered, m_ui.Btn_Reset, &QPushButton::click);
    connect(m_ui.Spaeter1, &QAction::triggered, this, guarded(&TMain::Spaeter1Click));
    connect(m_ui.Spaeter2, &QAction::triggered, this, guarded(&TMain::Spaeter1Click));
    connect(m_ui.ProgBeenden, &QAction::triggered, this, &QWidget::close);
    connect(m_ui.ProgAnzeigen, &QAction::triggered, this, guarded(&TMain::TrayIconClick));
}

QString TMain::captionBase() const
{
    return ProductNameText() + u' ' + ProductVersionText();
}

void TMain::setUpTrayIcon()
{
    m_trayIcon.SetHint(ProductNameText());
    m_trayIcon.SetPopupMenu(m_ui.PopupMenu1);
    m_trayIcon.SetMinimizeToTray(true);
    m_trayIcon.OnClick = [this](TTrayIcon*) {
        m_errors.guard([this] { TrayIconClick(); });
    };
}

void TMain::TrayIconClick()
{
    if (m_windows.nachricht)
        m_windows.nachricht->closeIfShowing();
    m_trayIcon.RestoreMainWindow();
    m_trayIcon.SetIconVisible(false);
}

void TMain::MessageWindowClosed()
{
    m_ui.Start1->setEnabled(true);
    m_ui.Stop1->setEnabled(false);
}

void TMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    // Minimising goes to the notification area once the window system has finished minimising. The
    // window may no longer count as minimised by then: Wayland has no such state, and Qt reports the
    // window back as normal at once.
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isVisible())
                    m_trayIcon.applicationMinimized();
            },
            Qt::QueuedConnection);
}

void TMain::setDefaultButton(QPushButton* button)
{
    if (m_defaultButton)
        m_defaultButton->setDefault(false);
    m_defaultButton = button;
    m_defaultButton->setDefault(true);
}

void TMain::showModal(QDialog* dialog)
{
    if (dialog)
        m_services.modal.exec(*dialog);
}

// ---------------------------------------------------------------------------------------------
// Life of the window

void TMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        m_errors.guard([this] { FormShow(); });
}

void TMain::FormShow()
{
    m_timer1->startOnce(RunSchedule::msToNextSecond(m_services.clock.currentMSecsSinceEpoch()));
    m_presets->LoadPresets();
    m_presets->ShowPresets();
    ShowOptions();
    m_ui.PageControl1->setCurrentIndex(0);
    setWindowTitle(captionBase());
    m_badge.setHint(ProductNameText());
    if (m_startupPending)
        m_ui.Btn_Config->click();
}

void TMain::closeEvent(QCloseEvent* event)
{
    // The program ends: a run still going is not carried out, and its announcement goes.
    m_run->quit();
    FormClose();
    event->accept();
    Q_EMIT closed();
}

void TMain::FormClose()
{
    // An incomplete clock time left in the field is reset; the options keep their values.
    if (m_options.GetZeitMode() != ZeitCountdown) {
        const QString text = m_ui.Eingabe->uhrzeitText();
        if (!IsNumber(text.mid(0, 2)) || !IsNumber(text.mid(3, 2)) || !IsNumber(text.mid(6, 2)))
            m_ui.Eingabe->setUhrzeitText(QStringLiteral("00:00:00"));
    }
}

void TMain::keyPressEvent(QKeyEvent* event)
{
    // Enter anywhere in the window presses the default button, as in a dialog. A time typed into
    // the clock-time field is taken over first (after the field's own check).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_defaultButton &&
        m_defaultButton->isEnabled()) {
        if (focusWidget() == m_ui.Eingabe->Ed_Uhrzeit && !m_ui.Eingabe->commitUhrzeit())
            return;
        m_defaultButton->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

int TMain::outerHeight() const
{
    return frameGeometry().height();
}

void TMain::setOuterHeight(int height)
{
    const int frame = frameGeometry().height() - geometry().height();
    setFixedHeight(height - frame);
}

void TMain::Btn_ConfigClick()
{
    if (outerHeight() >= kOpenCloseThreshold) {
        m_ui.Btn_Config->setIcon(ConfigButtonImages::image(0));
        m_ui.PageControl1->hide();
        if (m_ui.Btn_Start->isEnabled())
            m_ui.Btn_Start->setFocus();
        else
            m_ui.Btn_Reset->setFocus();
        setOuterHeight(kClosedHeight);
    } else {
        m_ui.Btn_Config->setIcon(ConfigButtonImages::image(1));
        m_ui.PageControl1->show();
        m_ui.PageControl1->setFocus();
        setOuterHeight(kOpenHeight);
    }
}

void TMain::Btn_SpeichernClick()
{
    m_options.SaveToRegistry(m_services.registry, 0);
}

// ---------------------------------------------------------------------------------------------
// The view of the options

void TMain::ShowOptions()
{
    const quint8 aktion = m_options.GetAktion();
    const quint8 soundMode = m_options.GetSoundMode();

    m_ui.Eingabe->showOptions(m_options);
    m_ui.Aktion->showOptions(m_options);
    if (isKnownAktion(aktion))
        m_ui.StatusBar1->setPanelText(0, ActionPanel::statusText(aktion));
    m_ui.Sound->showOptions(m_options);
    m_ui.PageControl1->setTabVisible(m_ui.PageControl1->indexOf(m_ui.TS_Sound), aktion == AktionNachricht);
    m_ui.Start->showOptions(m_options);

    if (m_options.GetForce() && isForceableAktion(aktion))
        m_ui.StatusBar1->setPanelText(0, ActionPanel::statusText(aktion) + tr(" (erzwingen)"));

    if (aktion != AktionNachricht || soundMode == SoundNone)
        m_ui.StatusBar1->setPanelText(1, QString());
    else if (soundMode == SoundBeep)
        m_ui.StatusBar1->setPanelText(1, tr("Beep (%1x)").arg(m_options.GetAnzBeeps()));
    else if (soundMode == SoundFile)
        m_ui.StatusBar1->setPanelText(1, tr("Sound-Datei [%1]").arg(fileNamePart(m_options.GetSoundFile())));

    // A password asked for at the end, or a failed action, until the next Start.
    if (!m_powerRun->statusNote().isEmpty())
        m_ui.StatusBar1->setPanelText(1, m_powerRun->statusNote());

    if (m_options.GetZeitMode() == ZeitStopuhr) {
        m_ui.StatusBar1->setPanelText(0, QString());
        m_ui.StatusBar1->setPanelText(1, QString());
    }
    noteRemoteChange();
}

// ---------------------------------------------------------------------------------------------
// The run

void TMain::Timer1Timer()
{
    m_timer1->stop();
    const qint64 nowMs = m_services.clock.currentMSecsSinceEpoch();
    m_ui.Label_TimeNow->setText(SerialDateTime::formatTime(m_services.clock.now()));
    m_run->clockTick(nowMs);
    if (m_startupPending && m_options.GetSofortStart())
        Btn_StartClick();
    m_startupPending = false;
    // The next tick comes at the next full second, so the time shown changes with the desktop's clock.
    m_timer1->startOnce(RunSchedule::msToNextSecond(m_services.clock.currentMSecsSinceEpoch()));
}

void TMain::setRunningState(bool running)
{
    QWidget* const focused = focusWidget();
    m_ui.Eingabe->setCountdownEntryEnabled(!running);
    m_ui.Btn_Start->setEnabled(!running);
    m_ui.Btn_Reset->setEnabled(running);
    m_ui.Start1->setEnabled(!running);
    m_ui.Stop1->setEnabled(running);
    m_ui.MenuOptionen->menuAction()->setEnabled(!running);
    m_ui.MenuHilfe->menuAction()->setEnabled(!running);
    if (!running)
        setDefaultButton(m_ui.Btn_Start);

    // The focus of a control that goes out of use passes on along the tab order, in the end to
    // "Beenden", where Enter would end the program. During a run the window keeps the focus itself,
    // so that Enter does nothing; afterwards "Start" takes it, so that Enter starts again.
    if (focused && focusWidget() == focused)
        return;
    if (!running)
        m_ui.Btn_Start->setFocus();
    else if (QWidget* passedOn = focusWidget())
        passedOn->clearFocus();
}

void TMain::Btn_StartClick()
{
    // Starting a run ends a sound test that is playing.
    if (m_ui.Sound->Btn_PlayStop->text() == testSoundPlayingCaption())
        m_ui.Sound->Btn_PlayStop->click();
    m_run->start();
}

void TMain::Btn_ResetClick()
{
    m_run->stop();
}

void TMain::Spaeter1Click()
{
    m_run->postpone();
}

void TMain::showRun(const RunDisplay& display)
{
    if (display.kind == RunDisplay::Kind::Stopwatch) {
        m_ui.Eingabe->L_Stopuhr->setText(display.shown);
    } else {
        m_ui.Label9->setText(display.start);
        m_ui.Label11->setText(display.end);
        m_ui.Label7->setText(display.shown);
        m_ui.L_Restzeit->setText(TMainUi::restzeitCaption(display.caption));
        if (display.turn >= 0)
            m_badge.showTurn(display.turn);
        else
            m_badge.showRemaining(display.remaining);
    }
    const QString note = display.note.isEmpty() ? QString() : QStringLiteral("  [") + display.note + u']';
    setWindowTitle(captionBase() + note);
    m_badge.setHint(ProductNameText() + note);
    m_ui.Spaeter1->setEnabled(display.postponable);
    m_ui.Spaeter2->setEnabled(display.postponable);
    // A wait shows the figures it looks at in place of the options' details until it ends.
    if (!display.figures.isEmpty()) {
        m_ui.StatusBar1->setPanelText(1, display.figures);
        m_figuresShown = true;
    } else if (m_figuresShown) {
        m_figuresShown = false;
        ShowOptions();
    }
}

void TMain::showPowerNote()
{
    ShowOptions();
    // The tip tells a user who left the window in the notification area; showing the window again
    // brings the usual tip back.
    if (!m_powerRun->failure().isEmpty())
        m_badge.setHint(ProductNameText() + QStringLiteral(" – ") + m_powerRun->failure());
}

void TMain::showMessageWindow()
{
    TNachricht* const message = m_windows.nachricht;
    if (!message)
        return;
    // On top of all windows and modal towards this one only: the notification-area icon, a window of
    // its own, must stay usable, since its click and its menu's "Anzeigen" close the message.
    message->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    message->setWindowModality(Qt::WindowModal);
    message->winId();
    message->windowHandle()->setTransientParent(windowHandle());
    m_services.modal.exec(*message);
}

// ---------------------------------------------------------------------------------------------
// Control from outside

RemoteState TMain::remoteState() const
{
    return m_run->remoteState();
}

void TMain::noteRemoteChange()
{
    if (m_remoteChangeNoted)
        return;
    m_remoteChangeNoted = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_remoteChangeNoted = false;
            Q_EMIT remoteStateChanged();
        },
        Qt::QueuedConnection);
}

bool TMain::startFromOutside()
{
    if (!m_ui.Start1->isEnabled())
        return false;
    QMetaObject::invokeMethod(m_ui.Start1, &QAction::trigger, Qt::QueuedConnection);
    return true;
}

bool TMain::stopFromOutside()
{
    if (!m_ui.Stop1->isEnabled())
        return false;
    m_ui.Stop1->trigger();
    return true;
}

bool TMain::postponeFromOutside(qint64 ms)
{
    if (!m_ui.Spaeter1->isEnabled() || !m_run->timed())
        return false;
    m_errors.guard([this, ms] { m_run->postpone(ms); });
    return true;
}

void TMain::showFromOutside()
{
    QMetaObject::invokeMethod(m_ui.ProgAnzeigen, &QAction::trigger, Qt::QueuedConnection);
}

void TMain::quitFromOutside()
{
    QMetaObject::invokeMethod(m_ui.ProgBeenden, &QAction::trigger, Qt::QueuedConnection);
}

} // namespace kelvaro
