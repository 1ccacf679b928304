#include "windows/TMain.h"

#include "core/Clock.h"
#include "core/CommandLine.h"
#include "core/RunSchedule.h"
#include "core/SerialDateTime.h"
#include "core/TimeFields.h"
#include "core/TimerService.h"
#include "resources/Resources.h"
#include "widgets/DigitPad.h"
#include "widgets/FormLook.h"
#include "widgets/ModalRunner.h"
#include "widgets/PngPictures.h"
#include "widgets/StatusPanels.h"
#include "widgets/TimeEntryBox.h"
#include "windows/MainRun.h"
#include "windows/PowerActionRun.h"
#include "windows/SettingsPages.h"
#include "windows/TDeinstallation.h"
#include "windows/TEinstellungen.h"
#include "windows/THilfe.h"
#include "windows/TInfofenster.h"
#include "windows/TNachricht.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QTabWidget>

namespace kelvaro {

namespace {

constexpr int kOpenHeight = 527;
constexpr int kClosedHeight = 250;

} // namespace

template <typename Handler>
auto TMain::guarded(Handler handler)
{
    return m_errors.guarded(this, handler);
}

TMain::TMain(const MainServices& services, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_errors(services.boxes), m_trayIcon(services.trayShell, this),
      m_badge(m_trayIcon, pngImage(programIconPath())),
      m_timer1(services.timers.create(guarded(&TMain::Timer1Timer), TimerPrecision::Precise))
{
    m_ui.setupUi(this);
    m_foldOut = std::make_unique<FoldOut>(*this, *m_ui.Btn_Config, *m_ui.SettingsArea, kClosedHeight, kOpenHeight);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    centreOnScreen(*this);
    setWindowTitle(captionBase());
    m_defaultButton.set(m_ui.Btn_Start);
    setUpTrayIcon();
    createRun();
    bindPanels();
    connectHandlers();
    const auto showOptions = [this] {
        ShowOptions();
    };
    m_pages = std::make_unique<SettingsPages>(
        m_ui, m_services, m_options, m_errors, showOptions, [this] { return m_windows.einstellungen.get(); }, this);

    // A parameter list that is accepted decides every option of this run; otherwise the stored
    // default set is loaded. The two are never mixed.
    m_errors.guard([this] {
        m_pages->presets.RemoveOldValues();
        if (!ParseCommandLine(m_options, m_services.parameters, m_services.boxes))
            m_options.LoadFromRegistry(m_services.registry, 0);
    });
}

TMain::~TMain() = default;

void TMain::createRun()
{
    RunController::View view{[this](bool running) { setRunningState(running); },
                             [this](const RunDisplay& display) { showRun(display); },
                             [this] { m_trayIcon.MinimizeMainWindow(); },
                             [this] { showMessageWindow(); },
                             [this] { close(); },
                             [this] {
                                 noteRemoteChange();
                             }};
    m_main = std::make_unique<MainRun>(m_services, m_options, m_errors, *this,
                                       MainRun::Window{std::move(view), [this] { m_ui.Btn_Reset->click(); },
                                                       [this] { return keepClearAreas(*this); },
                                                       [this] {
                                                           showPowerNote();
                                                       }});
    m_run = &m_main->run();
}

void TMain::bindPanels()
{
    const auto showOptions = [this] {
        ShowOptions();
    };
    m_ui.Eingabe->bind(m_options, m_services.boxes, m_services.processes, showOptions);
    connect(m_ui.Eingabe, &TimeEntryBox::fieldDoubleClicked, this, [this](TimeEntryBox::Target target) {
        m_ui.setupDigitPad();
        m_ui.P_Eingabehilfe->ToggleDigitPad(!m_ui.P_Eingabehilfe->isVisible(), target);
    });
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
            [this] { m_errors.guard([this] { showModal(m_windows.deinstallation.get()); }); });
    connect(m_ui.Hilfe1, &QAction::triggered, this,
            [this] { m_errors.guard([this] { showModal(m_windows.hilfe.get()); }); });
    connect(m_ui.Info2, &QAction::triggered, this,
            [this] { m_errors.guard([this] { showModal(m_windows.infofenster.get()); }); });

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
    if (TNachricht* const message = m_windows.nachricht.made())
        message->closeIfShowing();
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
        QMetaObject::invokeMethod(this, &TMain::minimizedToTray, Qt::QueuedConnection);
}

void TMain::minimizedToTray()
{
    if (isVisible())
        m_trayIcon.applicationMinimized();
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
    m_pages->presets.LoadPresets();
    m_pages->presets.ShowPresets();
    ShowOptions();
    m_pages->showFirstPage();
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
    if (m_options.GetZeitMode() != ZeitCountdown)
        m_ui.Eingabe->resetIncompleteUhrzeit();
}

void TMain::keyPressEvent(QKeyEvent* event)
{
    // A time typed into the clock-time field is taken over first (after the field's own check).
    if (!m_defaultButton.press(
            *event, [this] { return focusWidget() != m_ui.Eingabe->Ed_Uhrzeit || m_ui.Eingabe->commitUhrzeit(); }))
        QMainWindow::keyPressEvent(event);
}

void TMain::buildSettingsPages()
{
    m_pages->build();
}

void TMain::Btn_ConfigClick()
{
    if (m_foldOut->opens())
        m_pages->build();
    m_foldOut->toggle(m_ui.Btn_Start->isEnabled() ? m_ui.Btn_Start : m_ui.Btn_Reset);
}

void TMain::Btn_SpeichernClick()
{
    m_options.SaveToRegistry(m_services.registry, 0);
}

// ---------------------------------------------------------------------------------------------
// The view of the options

void TMain::ShowOptions()
{
    m_ui.Eingabe->showOptions(m_options);
    m_pages->showOptions();

    // A password asked for at the end, or a failed action, is noted until the next Start.
    m_ui.StatusBar1->showOptions(m_options, m_main->power().statusNote());
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
    // A hidden window without a run has nothing to show: showing it starts the clock again (FormShow).
    if (isVisible() || m_run->running())
        m_timer1->startOnce(RunSchedule::msToNextSecond(m_services.clock.currentMSecsSinceEpoch()));
}

void TMain::setRunningState(bool running)
{
    QWidget* const focused = focusWidget();
    m_ui.enableForRun(running);
    if (!running)
        m_defaultButton.set(m_ui.Btn_Start);

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
    m_pages->stopSoundTest();
    if (!m_timer1->isActive()) // stopped while hidden without a run: started from the tray menu or outside
        m_timer1->startOnce(RunSchedule::msToNextSecond(m_services.clock.currentMSecsSinceEpoch()));
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
    m_ui.showRun(display);
    if (display.turn >= 0)
        m_badge.showTurn(display.turn);
    else if (display.kind != RunDisplay::Kind::Stopwatch)
        m_badge.showRemaining(display.remaining);
    const QString note = display.note.isEmpty() ? QString() : QStringLiteral("  [") + display.note + u']';
    if (isVisible()) // hidden, the caption is set when the window is shown again (FormShow)
        setWindowTitle(captionBase() + note);
    m_badge.setHint(ProductNameText() + note);
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
    if (!m_main->power().failure().isEmpty())
        m_badge.setHint(ProductNameText() + QStringLiteral(" – ") + m_main->power().failure());
}

void TMain::showMessageWindow()
{
    if (TNachricht* const message = m_windows.nachricht.get())
        message->showOver(*this, m_services.modal);
}

// ---------------------------------------------------------------------------------------------
// Control from outside

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

bool TMain::postpone(qint64 ms)
{
    if (!m_ui.Spaeter1->isEnabled())
        return false;
    bool moved = false;
    m_errors.guard([this, ms, &moved] { moved = m_run->postpone(ms); });
    return moved;
}

} // namespace kelvaro
