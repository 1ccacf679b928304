// The windows on an English desktop: the program's English translation is in use.
#include "ShownTexts.h"
#include "resources/Language.h"

#include <QAction>
#include <QMenu>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

class English : public EveryShownText
{
protected:
    void SetUp() override
    {
        useLanguage(Language::English);
        MainWindowFixture::SetUp();
    }

    void TearDown() override
    {
        MainWindowFixture::TearDown();
        useLanguage(Language::German);
    }
};

TEST_F(English, MainWindowCaptionsAndRunCaption)
{
    createAndShow();
    EXPECT_EQ(ui().MenuDatei->title(), QStringLiteral("&File"));
    EXPECT_EQ(ui().Btn_Beenden->text(), QStringLiteral("&Quit"));
    EXPECT_EQ(ui().PageControl1->tabText(0), QStringLiteral("Action"));
    EXPECT_EQ(ui().StatusBar1->panelText(0), QStringLiteral("Show a message"));

    // The running caption is built from the product name, the same in every language.
    setCountdown(0, 0, 5);
    ui().Btn_Start->click();
    advance(2'000);
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90  [00:00:03]"));
}

TEST_F(English, WarningBox)
{
    createAndShow();
    QTest::keyClicks(ui().Eingabe->Ed_Minuten, QStringLiteral("7x"));
    EXPECT_TRUE(onlyBox(boxes, QStringLiteral("Warning"), QStringLiteral("Invalid entry!\nOnly numbers are allowed.")));
}

TEST_F(English, MessageWindowAtExpiry)
{
    createAndShow();
    setCountdown(0, 0, 2);
    main->CurrentOptions().SetNachricht(QStringLiteral("Tea is ready"));
    QString title, heading;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog& d) {
        title = d.windowTitle();
        heading = nachricht->L_ZeitAbgelaufen->text();
    };
    ui().Btn_Start->click();
    advance(3'000);
    EXPECT_EQ(title, QStringLiteral("Kelvaro Message"));
    EXPECT_EQ(heading, QStringLiteral("Time's up!"));
    EXPECT_EQ(nachricht->Label_Nachricht->text(), QStringLiteral("Tea is ready"));
}

TEST_F(English, NoWindowKeepsAGermanText)
{
    // Names, numbers, times, version data and the few words that read the same in both languages.
    static const QRegularExpression sameInBoth(QStringLiteral(
        "^([0-9: .()+>x-]*|Kelvaro( 0\\.90)?|Version 0\\.90|Linux|[0-9.]+ Build \\([0-9]+\\)|Copyright .*|"
        "Freeware|Shutdown and Message Countdown Timer|\\(HKEY_CURRENT_USER\\\\Software\\\\Kelvaro\\)|"
        "Countdown|Sound|&?Start|&?Stop|&?OK|Uninstall|Warning|Error|Information|Mo|Fr|Sa|CPU <|%|kB/s)$"));

    useLanguage(Language::German);
    const QStringList german = everyText();
    useLanguage(Language::English);
    const QStringList english = everyText();

    QStringList untranslated;
    for (const QString& text : english) {
        if (german.contains(text) && !sameInBoth.match(text).hasMatch())
            untranslated << text;
    }
    EXPECT_TRUE(untranslated.isEmpty()) << "shown in German on an English desktop:\n"
                                        << untranslated.join(u'\n').toStdString();
    EXPECT_GE(english.size(), 100); // every window was seen
}

// Qt's own texts (its dialogs' buttons) follow the language, the direction staying left to right.
TEST(QtTexts, FollowTheLanguage)
{
    for (const auto& [language, cancel] :
         {std::pair{Language::German, "Abbrechen"}, std::pair{Language::English, "Cancel"}}) {
        useLanguage(language);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QLatin1String(cancel));
        EXPECT_EQ(QGuiApplication::layoutDirection(), Qt::LeftToRight);
    }
    useLanguage(Language::German);
}

} // namespace
