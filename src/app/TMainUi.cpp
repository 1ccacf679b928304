#include "app/TMainUi.h"

#include "app/StatusPanels.h"
#include "app/TimeEntryBox.h"
#include "windows/FormLook.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>

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

QTimer* timer(QObject* parent, const char* name, int interval)
{
    auto* t = new QTimer(parent);
    t->setObjectName(QLatin1String(name));
    t->setInterval(interval);
    return t;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, int y)
{
    auto* c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    c->setGeometry(32, y, 330, 17);
    return c;
}

} // namespace

void TMainUi::setupUi(QMainWindow* window)
{
    window->setObjectName(QStringLiteral("Main"));
    window->setFont(defaultFormFont());
    window->setWindowTitle(QStringLiteral("Kelvaro 0.90"));

    QMenuBar* bar = window->menuBar();
    MenuDatei = bar->addMenu(QStringLiteral("Datei"));
    MenuDatei->setObjectName(QStringLiteral("Datei1"));
    Beenden1 = item(MenuDatei, "Beenden1", QStringLiteral("Beenden"));
    MenuOptionen = bar->addMenu(QStringLiteral("Optionen"));
    MenuOptionen->setObjectName(QStringLiteral("Optionen1"));
    Einstellungen1 = item(MenuOptionen, "Einstellungen1", QStringLiteral("Einstellungen öffnen/schließen"));
    MenuOptionen->addSeparator();
    Programmdeinstallieren1 = item(MenuOptionen, "Programmdeinstallieren1", QStringLiteral("Programm deinstallieren"));
    MenuHilfe = bar->addMenu(QStringLiteral("Hilfe"));
    MenuHilfe->setObjectName(QStringLiteral("Hilfe2"));
    Hilfe1 = item(MenuHilfe, "Hilfe1", QStringLiteral("Hilfe aufrufen"));
    Info2 = item(MenuHilfe, "Info2", QStringLiteral("Über..."));

    auto* client = new QWidget(window);
    client->setObjectName(QStringLiteral("ClientArea"));
    window->setCentralWidget(client);

    label(client, QStringLiteral("Vordefinierte Einstellungen"), 8, 12, 150);
    CBx_Presets = new QComboBox(client);
    CBx_Presets->setObjectName(QStringLiteral("CBx_Presets"));
    CBx_Presets->setGeometry(164, 8, 226, 21);
    CBx_Presets->setMaxVisibleItems(15);

    label(client, QStringLiteral("Aktuelle Zeit:"), 8, 48, 96);
    label(client, QStringLiteral("Start-Zeit:"), 8, 68, 96);
    label(client, QStringLiteral("End-Zeit:"), 8, 88, 96);
    label(client, QStringLiteral("Verbleibende Zeit:"), 8, 108, 100);
    Label_TimeNow = valueLabel(client, "Label_TimeNow", 48);
    Label9 = valueLabel(client, "Label9", 68);
    Label11 = valueLabel(client, "Label11", 88);
    Label7 = valueLabel(client, "Label7", 108);

    Eingabe = new TimeEntryBox(TimeEntryBox::Modes::WithStopwatch, client);
    Eingabe->setGeometry(176, 36, 214, 102);

    Btn_Speichern = button(client, "Btn_Speichern", QString(), 4, 25);
    Btn_Speichern->setIcon(window->style()->standardIcon(QStyle::SP_DialogSaveButton));
    Btn_Speichern->setToolTip(QStringLiteral("Einstellungen speichern"));
    Btn_Config = button(client, "Btn_Config", QString(), 33, 50);
    Btn_Config->setToolTip(QStringLiteral("Einstellungen öffnen/schließen"));
    Btn_Start = button(client, "Btn_Start", QStringLiteral("&Start"), 111, 75);
    Btn_Reset = button(client, "Btn_Reset", QStringLiteral("&Stop"), 199, 75);
    Btn_Reset->setToolTip(QStringLiteral("Anhalten"));
    Btn_Reset->setEnabled(false);
    Btn_Beenden = button(client, "Btn_Beenden", QStringLiteral("&Beenden"), 287, 75);
    Btn_Beenden->setToolTip(QStringLiteral("Programm beenden"));

    PageControl1 = new QTabWidget(client);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 184, 385, 265);
    TabSheet1 = page(PageControl1, "TabSheet1", QStringLiteral("Aktion"));
    TS_Sound = page(PageControl1, "TS_Sound", QStringLiteral("Sound"));
    Sonstiges = page(PageControl1, "Sonstiges", QStringLiteral("Starteinstellungen"));
    TabSheet3 = page(PageControl1, "TabSheet3", QStringLiteral("Vordef. Einst."));
    TabSheet2 = page(PageControl1, "TabSheet2", QStringLiteral("Verknüpfung"));

    CBx_Minimize = checkBox(Sonstiges, "CBx_Minimize", QStringLiteral("Minimieren nach dem Start der Aktion"), 32);
    CBx_ClosePgm = checkBox(Sonstiges, "CBx_ClosePgm", QStringLiteral("Programm beenden nach Aktion"), 64);
    CBx_Sofortstart = checkBox(Sonstiges, "CBx_Sofortstart",
                               QStringLiteral("Sofortstart (wirkt erst nach einem Programmneustart)"), 96);
    CBx_Sofortstart->setToolTip(QStringLiteral("Startet die eingestellte Aktion sofort nach Aufruf von Kelvaro."));

    StatusBar1 = new StatusPanels(window);
    window->setStatusBar(StatusBar1);

    PopupMenu1 = new QMenu(window);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    ProgAnzeigen = item(PopupMenu1, "ProgAnzeigen", QStringLiteral("Anzeigen"));
    PopupMenu1->addSeparator();
    Start1 = item(PopupMenu1, "Start1", QStringLiteral("Start"));
    Stop1 = item(PopupMenu1, "Stop1", QStringLiteral("Stop"));
    Stop1->setEnabled(false);
    PopupMenu1->addSeparator();
    ProgBeenden = item(PopupMenu1, "ProgBeenden", QStringLiteral("Beenden"));

    Timer1 = timer(window, "Timer1", 1000);
    Timer2 = timer(window, "Timer2", 100);
    Timer3 = timer(window, "Timer3", 100);

    // The designed client area (below the menu bar, the status bar included) is the open state;
    // the first showing folds the settings in.
    window->setFixedSize(kClientWidth, bar->sizeHint().height() + kClientHeight);
}

} // namespace kelvaro
