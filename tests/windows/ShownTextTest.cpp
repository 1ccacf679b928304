// Every text the program can show, collected from all its windows, menus and boxes.
#include "MainWindowFixture.h"
#include "ShownTexts.h"
#include "platform/LinuxOsVersion.h"

#include <QRegularExpression>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

class ShownTexts : public MainWindowFixture
{};

TEST_F(ShownTexts, NoneNamesWindowsDosOrAnExe)
{
    osVersion.answer = LinuxOsVersion(LinuxOsVersion::defaultOsReleasePaths()).query();
    createAndShow({QStringLiteral("-X")}); // refused: the error box
    QStringList texts;
    // The status bar follows the action and its force box.
    for (quint8 action = AktionNachricht; isKnownAktion(action); ++action) {
        main->CurrentOptions().SetAktion(action);
        main->CurrentOptions().SetForce(true);
        main->ShowOptions();
        texts << shownTexts(*main);
    }
    setCountdown(0, 0, 0);
    ui().Btn_Start->click(); // the box that asks for a time
    boxes.answers = {false};
    deinstallation->show();
    deinstallation->findChild<QPushButton*>(QStringLiteral("Btn_Deinstallieren"))->click(); // its question
    for (QWidget* window : std::initializer_list<QWidget*>{deinstallation.get(), nachricht.get(), infofenster.get(),
                                                           hilfe.get(), einstellungen.get()}) {
        window->show();
        texts << shownTexts(*window);
        window->hide();
    }
    texts << boxes.texts();
    ASSERT_GE(boxes.boxes.size(), 3);

    static const QRegularExpression windowsTerms(QStringLiteral("\\bWindows\\b|\\bDOS\\b|\\.exe\\b"),
                                                 QRegularExpression::CaseInsensitiveOption);
    for (const QString& text : texts)
        EXPECT_FALSE(windowsTerms.match(text).hasMatch()) << text.toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Rechner neu starten (erzwingen)"))); // all states were seen
}

} // namespace
