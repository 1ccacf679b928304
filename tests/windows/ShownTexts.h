#pragma once

#include "MainWindowFixture.h"
#include "widgets/StartPanel.h"
#include "windows/PowerActionRun.h"
#include "windows/TAktionsfehler.h"
#include "windows/TVorwarnung.h"

#include <QComboBox>
#include <QStringList>
#include <QTabBar>
#include <QTest>
#include <QWidget>

namespace kelvaro::test {

/** What a user can read in `window`: the texts, titles, tool tips and text-box contents of everything
 *  in it (actions of menus included), and the entries of its lists and tabs. */
inline QStringList shownTexts(const QWidget& window)
{
    QStringList texts;
    QList<const QObject*> objects{&window};
    for (const QObject* object : window.findChildren<QObject*>())
        objects << object;
    for (const QObject* object : objects) {
        for (const char* property : {"text", "title", "windowTitle", "toolTip", "placeholderText", "plainText"})
            texts << object->property(property).toString();
        if (const auto* list = qobject_cast<const QComboBox*>(object))
            for (int i = 0; i < list->count(); ++i)
                texts << list->itemText(i);
        if (const auto* tabs = qobject_cast<const QTabBar*>(object))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
    }
    texts.removeAll(QString());
    return texts;
}

/** A main window on doubles that collects every text its windows and boxes show in the language in use. */
class EveryShownText : public MainWindowFixture
{
protected:
    /** The main window in each action and sound state, the announcement window, the secondary
     *  windows, and a box of every kind. */
    QStringList everyText()
    {
        boxes.boxes.clear();
        createAndShow({QStringLiteral("-X")}); // refused: the error box
        QStringList texts;
        // The status bar follows the action and its force box.
        for (quint8 action = AktionNachricht; isKnownAktion(action); ++action) {
            main->CurrentOptions().SetAktion(action);
            main->CurrentOptions().SetForce(true);
            main->ShowOptions();
            texts << shownTexts(*main);
        }
        main->CurrentOptions().SetAktion(AktionNachricht);
        for (quint8 mode = SoundNone; mode <= SoundFile; ++mode) {
            main->CurrentOptions().SetSoundMode(mode);
            main->ShowOptions();
            texts << shownTexts(*main);
        }
        // The announcement of a forced shutdown that a program blocks, in the program's own window (no
        // notification server), and the report when it fails.
        notifications.serverAvailable = false;
        power.inhibitor = PowerInhibitor{QStringLiteral("Editor"), QStringLiteral("1")};
        power.outcome = PowerFailure{PowerFailure::Kind::Inhibited, QStringLiteral("Editor"), QStringLiteral("1")};
        main->CurrentOptions().SetAktion(AktionShutdown);
        setCountdown(0, 2, 0);
        ui().Btn_Start->click();
        advance(60'000);
        EXPECT_TRUE(main->announcementWindow() && main->announcementWindow()->isVisible());
        if (main->announcementWindow())
            texts << shownTexts(*main->announcementWindow());
        advance(60'000);
        EXPECT_TRUE(main->powerRun().reportWindow());
        if (main->powerRun().reportWindow())
            texts << shownTexts(*main->powerRun().reportWindow()) << ui().StatusBar1->panelText(1);
        main->powerRun().reportWindow()->close();
        power.outcome.reset();
        power.inhibitor.reset();
        // Start refuses an action the system does not allow.
        power.permissions[AktionHibernate] = PowerPermission::No;
        main->CurrentOptions().SetAktion(AktionHibernate);
        ui().Btn_Start->click();
        power.permissions.clear();
        QTest::keyClicks(ui().Eingabe->Ed_Stunden, QStringLiteral("x")); // a warning
        ui().Start->Ed_Vorwarnzeit->setText(QStringLiteral("x"));        // the lead time's warning
        ui().Start->Ed_VorwarnzeitExit();
        setCountdown(0, 0, 0);
        ui().Btn_Start->click(); // the information that asks for a time
        deinstallation->show();
        // The question, answered Yes: the information that the settings are removed.
        deinstallation->findChild<QPushButton*>(QStringLiteral("Btn_Deinstallieren"))->click();
        for (QWidget* window : std::initializer_list<QWidget*>{deinstallation.get(), nachricht.get(), infofenster.get(),
                                                               hilfe.get(), einstellungen.get()}) {
            window->show();
            texts << shownTexts(*window);
            window->hide();
        }
        for (const RecordingMessageBoxes::Box& box : boxes.boxes)
            texts << box.caption << box.text;
        texts.removeDuplicates();
        return texts;
    }
};

} // namespace kelvaro::test
