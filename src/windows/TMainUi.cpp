#include "windows/TMainUi.h"

#include "widgets/ActionPanel.h"
#include "widgets/CompactTabs.h"
#include "widgets/Controls.h"
#include "widgets/DigitPad.h"
#include "widgets/FormLook.h"
#include "widgets/PngPictures.h"
#include "widgets/SoundPanel.h"
#include "widgets/StartPanel.h"
#include "widgets/StatusPanels.h"
#include "widgets/TimeEntryBox.h"

#include <QAction>
#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace kelvaro {

namespace {

constexpr int kClientWidth = 398;
constexpr int kClientHeight = 471;
constexpr int kButtonRowY = 146;

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w, int h = 16)
{
    auto* l = new QLabel(text, parent);
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(x, y, w, h);
    return l;
}

QLabel* valueLabel(QWidget* parent, const char* name, int y)
{
    QLabel* l = label(parent, QString(), 104, y, 66);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int x, int w)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(x, kButtonRowY, w, 25);
    b->setAutoDefault(true); // Enter on a focused button clicks it
    return b;
}

QWidget* page(QTabWidget* tabs, const char* name, const QString& caption)
{
    auto* p = new QWidget;
    p->setObjectName(QLatin1String(name));
    tabs->addTab(p, caption);
    return p;
}

QAction* item(QMenu* menu, const char* name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

QPushButton* pageButton(QWidget* parent, const char* name, const QString& caption, int x, int y, int w)
{
    return placeButton(parent, name, caption, {x, y, w, 25});
}

} // namespace

QString TMainUi::restzeitCaption(RunDisplay::Caption caption)
{
    switch (caption) {
    case RunDisplay::Caption::Elapsed:
        return tr("Vergangene Zeit:");
    case RunDisplay::Caption::Inactive:
        //: Beside the time no key has been pressed and the mouse has not moved.
        return tr("Inaktiv seit:");
    case RunDisplay::Caption::Quiet:
        //: Beside the time the processor and the network have stayed below their limits.
        return tr("Ruhig seit:");
    case RunDisplay::Caption::Remaining:
        break;
    }
    return tr("Verbleibende Zeit:");
}

void TMainUi::setupUi(QMainWindow* window)
{
    window->setObjectName(QStringLiteral("Main"));
    window->setFont(defaultFormFont());
    window->setWindowTitle(QStringLiteral("Kelvaro 0.90"));

    QMenuBar* bar = window->menuBar();
    MenuDatei = bar->addMenu(tr("&Datei"));
    MenuDatei->setObjectName(QStringLiteral("Datei1"));
    Beenden1 = item(MenuDatei, "Beenden1", tr("&Beenden"));
    MenuOptionen = bar->addMenu(tr("&Optionen"));
    MenuOptionen->setObjectName(QStringLiteral("Optionen1"));
    Einstellungen1 = item(MenuOptionen, "Einstellungen1", tr("&Einstellungen öffnen/schließen"));
    MenuOptionen->addSeparator();
    Programmdeinstallieren1 = item(MenuOptionen, "Programmdeinstallieren1", tr("&Programm deinstallieren"));
    MenuHilfe = bar->addMenu(tr("&Hilfe"));
    MenuHilfe->setObjectName(QStringLiteral("Hilfe2"));
    Hilfe1 = item(MenuHilfe, "Hilfe1", tr("&Hilfe aufrufen"));
    Info2 = item(MenuHilfe, "Info2", tr("&Über..."));

    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("ClientArea"));
    window->setCentralWidget(client);

    label(client, tr("Vordefinierte Einstellungen"), 8, 12, 150);
    CBx_Presets = new QComboBox(client);
    CBx_Presets->setObjectName(QStringLiteral("CBx_Presets"));
    CBx_Presets->setGeometry(164, 8, 226, 21);
    CBx_Presets->setMaxVisibleItems(15);

    label(client, tr("Aktuelle Zeit:"), 8, 48, 96);
    label(client, tr("Start-Zeit:"), 8, 68, 96);
    label(client, tr("End-Zeit:"), 8, 88, 96);
    L_Restzeit = label(client, restzeitCaption(), 8, 108, 100);
    L_Restzeit->setObjectName(QStringLiteral("L_Restzeit"));
    Label_TimeNow = valueLabel(client, "Label_TimeNow", 48);
    Label9 = valueLabel(client, "Label9", 68);
    Label11 = valueLabel(client, "Label11", 88);
    Label7 = valueLabel(client, "Label7", 108);

    Eingabe = new TimeEntryBox(TimeEntryBox::Modes::WithStopwatch, client);
    Eingabe->setGeometry(176, 36, 214, 102);

    Btn_Speichern = button(client, "Btn_Speichern", QString(), 4, 25);
    Btn_Speichern->setIcon(pngIcon({QStringLiteral(":/buttons/save.png"), QStringLiteral(":/buttons/save@2x.png")}));
    Btn_Speichern->setToolTip(tr("Einstellungen speichern"));
    Btn_Config = button(client, "Btn_Config", QString(), 33, 50);
    Btn_Config->setToolTip(tr("Einstellungen öffnen/schließen"));
    Btn_Start = button(client, "Btn_Start", tr("&Start"), 111, 75);
    Btn_Reset = button(client, "Btn_Reset", tr("&Stop"), 199, 75);
    Btn_Reset->setToolTip(tr("Anhalten"));
    Btn_Reset->setEnabled(false);
    Btn_Beenden = button(client, "Btn_Beenden", tr("&Beenden"), 287, 75);
    Btn_Beenden->setToolTip(tr("Programm beenden"));

    SettingsArea = new QWidget(client);
    SettingsArea->setObjectName(QStringLiteral("SettingsArea"));
    SettingsArea->setGeometry(8, 184, 385, 265);

    StatusBar1 = new StatusPanels(window);
    window->setStatusBar(StatusBar1);

    PopupMenu1 = new QMenu(window);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    ProgAnzeigen = item(PopupMenu1, "ProgAnzeigen", tr("Anzeigen"));
    PopupMenu1->addSeparator();
    Start1 = item(PopupMenu1, "Start1", tr("Start"));
    Stop1 = item(PopupMenu1, "Stop1", tr("Stop"));
    Stop1->setEnabled(false);
    Spaeter1 = item(PopupMenu1, "Spaeter1", tr("5 Minuten später"));
    Spaeter1->setEnabled(false);
    PopupMenu1->addSeparator();
    ProgBeenden = item(PopupMenu1, "ProgBeenden", tr("Beenden"));

    Spaeter2 = new QAction(tr("5 Minuten später"), window);
    Spaeter2->setObjectName(QStringLiteral("Spaeter2"));
    // "+" on the main keyboard and on the number pad.
    Spaeter2->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus),
                            QKeySequence(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus))});
    Spaeter2->setEnabled(false);
    window->addAction(Spaeter2);

    // The designed client area (below the menu bar, the status bar included) is the open state;
    // the first showing folds the settings in.
    window->setFixedSize(kClientWidth, bar->sizeHint().height() + kClientHeight);
}

void TMainUi::setupSettingsPages()
{
    if (PageControl1)
        return;
    PageControl1 = new QTabWidget(SettingsArea);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(0, 0, 385, 265);
    // Six tabs must fit the page's width side by side; with larger fonts the bar scrolls instead of
    // cutting the last one off.
    useCompactTabs(*PageControl1->tabBar());
    PageControl1->setUsesScrollButtons(true);
    TabSheet1 = page(PageControl1, "TabSheet1", tr("Aktion"));
    TS_Sound = page(PageControl1, "TS_Sound", tr("Sound"));
    Sonstiges = page(PageControl1, "Sonstiges", tr("Starteinstellungen"));
    TabSheet3 = page(PageControl1, "TabSheet3", tr("Vordef. Einst."));
    TabSheet2 = page(PageControl1, "TabSheet2", tr("Verknüpfung"));
    TS_Zeitplaene = page(PageControl1, "TS_Zeitplaene", tr("Zeitpläne"));

    SettingsArea->setFocusProxy(PageControl1);

    Aktion = new ActionPanel(ActionPanel::Variant::MainWindow, TabSheet1);
    Aktion->setGeometry(0, 0, 377, 236);
    Sound = new SoundPanel(SoundPanel::Variant::MainWindow, TS_Sound);
    Sound->setGeometry(0, 0, 377, 236);
    Start = new StartPanel(StartPanel::Variant::MainWindow, Sonstiges);
    Start->setGeometry(0, 0, 377, 236);

    label(TabSheet3, tr("Liste mit vordef. Einstellungen"), 8, 8, 200);
    LBx_Presets = new QListWidget(TabSheet3);
    LBx_Presets->setObjectName(QStringLiteral("LBx_Presets"));
    LBx_Presets->setGeometry(8, 26, 240, 200);
    Btn_Presets_Add = pageButton(TabSheet3, "Btn_Presets_Add", QStringLiteral("+"), 256, 26, 25);
    Btn_Presets_Del = pageButton(TabSheet3, "Btn_Presets_Del", QStringLiteral("-"), 286, 26, 25);
    Btn_Presets_Change = pageButton(TabSheet3, "Btn_Presets_Change", tr("Einstellungen ändern"), 256, 58, 115);
    Btn_Presets_Change->setEnabled(false);

    label(TabSheet2, tr("Verknüpfungsname"), 8, 8, 200);
    Ed_LinkDatei = new QLineEdit(TabSheet2);
    Ed_LinkDatei->setObjectName(QStringLiteral("Ed_LinkDatei"));
    Ed_LinkDatei->setGeometry(8, 26, 272, 21);
    Button1 = pageButton(TabSheet2, "Button1", tr("Durchsuchen"), 288, 24, 80);
    Button2 = pageButton(TabSheet2, "Button2", tr("Einstellungen zusammenstellen"), 8, 60, 180);
    Button3 = pageButton(TabSheet2, "Button3", tr("Erzeugen"), 196, 60, 80);
    QLabel* linkInfo = label(TabSheet2,
                             tr("Mit einer Verknüpfung kann man Kelvaro mit vordefinierten Einstellungen "
                                "starten ohne erst die Zeit und die Aktion einstellen zu müssen."),
                             8, 104, 360, 42);
    linkInfo->setWordWrap(true);
    QLabel* linkHint = label(TabSheet2,
                             tr("Hilfreich bei wiederkehrenden Ereignissen z.B. als Tee-Timer oder "
                                "Pizza-Fertig-Melder"),
                             8, 154, 360, 42);
    linkHint->setWordWrap(true);
}

void TMainUi::setupDigitPad()
{
    if (!P_Eingabehilfe)
        P_Eingabehilfe = new DigitPad(*Eingabe, Eingabe->parentWidget());
}

void TMainUi::enableForRun(bool running)
{
    Eingabe->setCountdownEntryEnabled(!running);
    Btn_Start->setEnabled(!running);
    Btn_Reset->setEnabled(running);
    Start1->setEnabled(!running);
    Stop1->setEnabled(running);
    MenuOptionen->menuAction()->setEnabled(!running);
    MenuHilfe->menuAction()->setEnabled(!running);
}

void TMainUi::showRun(const RunDisplay& display)
{
    if (display.kind == RunDisplay::Kind::Stopwatch) {
        Eingabe->L_Stopuhr->setText(display.shown);
    } else {
        Label9->setText(display.start);
        Label11->setText(display.end);
        Label7->setText(display.shown);
        L_Restzeit->setText(restzeitCaption(display.caption));
    }
    Spaeter1->setEnabled(display.postponable);
    Spaeter2->setEnabled(display.postponable);
}

} // namespace kelvaro
