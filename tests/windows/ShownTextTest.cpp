// Every text the program can show, collected from all its windows, menus and boxes.
#include "ShownTexts.h"
#include "platform/LinuxOsVersion.h"

#include <QRegularExpression>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

class ShownTexts : public EveryShownText
{};

TEST_F(ShownTexts, NoneNamesWindowsDosOrAnExe)
{
    osVersion.answer = LinuxOsVersion().query();
    const QStringList texts = everyText();
    ASSERT_EQ(boxes.boxes.size(), 7); // two errors, two warnings, two informations and the question

    static const QRegularExpression windowsTerms(QStringLiteral("\\bWindows\\b|\\bDOS\\b|\\.exe\\b"),
                                                 QRegularExpression::CaseInsensitiveOption);
    for (const QString& text : texts)
        EXPECT_FALSE(windowsTerms.match(text).hasMatch()) << text.toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Rechner neu starten (erzwingen)"))); // all states were seen
}

} // namespace
