#include "windows/THilfe.h"

#include "mock/QtPrinters.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include <gtest/gtest.h>

namespace kelvaro::test {
namespace {

// The help text, line by line, as the program must show it.
const char* const kHelpLines[] = {
    "Aufruf von Kelvaro via Kommandozeile:",
    "",
    "Kelvaro kann neben dem \"normalen\" Start per Doppelklick auf das Kelvaro",
    "Icon auch aus dem Terminal oder Shell-Skript gestartet werden.",
    "",
    "Der Vorteil dieses Aufrufs ist die Möglichkeit gleich beim Start alle ",
    "Programmeinstellungen zu übergeben. Die Einstellungen werden ",
    "in Form von Parametern übergeben.",
    "",
    "Aufruf:        kelvaro [optionen]",
    "Optionen:",
    "",
    "-A\t\tAutostart - Programm fängt sofort an zu Arbeiten",
    "\t\t(als wenn der Benutzer Start gedrückt hätte)",
    "",
    "-S\t\tShutdown: PC Herunterfahren",
    "-R\t\tReboot: Rechner neu starten",
    "-L\t\tLogoff: Benutzer abmelden",
    "-F\t\tForce: Aktion erzwingen",
    "\t\tnur beim Herunterfahren, Neustart oder Abmelden",
    "\t\tHinweis: Alle noch nicht gespeicherten Daten sollten vorher gesichert",
    "\t\twerden, sonst kann ein Datenverlust drohen!!! Alle offenen ",
    "\t\tAnwendungen werden ohne Nachfrage geschlossen!",
    "",
    "-E\t\tEnergy Save: Standby-Modus",
    "",
    "-M\"Test\"\t\tMessage: Nachricht \"Test\" anzeigen",
    "\t\tNachrichtentext in Anführungsstrichen",
    "-B\t\tSound ausgeben",
    "\t\t3 mal Beep (Piepsen aus dem PC Lautsprecher)",
    "\t\tnur im Nachrichten-Mode",
    "\t\t<oder>",
    "-Bx\t\tSound ausgeben",
    "\t\tx-mal Beepen (z.B. -B7 für 7 mal Beepen)",
    "\t\tnur im Nachrichten-Mode",
    "\t\t<oder>",
    "-B\"SoundDatei\"\tSoundDatei in Anführungsstrichen abspielen",
    "\t\tnur im Nachrichten-Mode",
    "",
    "-T00:23:00\tAktion um 00:23:00 Uhr ausführen - Format HH:MM:SS",
    "-T-00:23:00\tAktion in 23 Minuten ausführen - Format HH:MM:SS",
    "",
    "-C\t\tProgramm nach Ende der Aktion schließen",
    "-K\t\tProgramm nach Aktionsstart minimieren",
    "-W30\t\tVorwarnzeit: Herunterfahren, Neustart, Abmelden und Standby",
    "\t\t30 Sekunden vorher ankündigen, mit \"Abbrechen\" und",
    "\t\t\"5 Minuten später\" (ohne -W: 60 Sekunden, -W0: keine)",
    "",
    "Beispiel 1: \tIn 5 Minuten soll die Nachricht \"Tee ist fertig\" ",
    "\t\tangezeigt und ein Beep-Ton ausgegeben werden",
    "\tAufruf:\tKelvaro -A -B -M\"Tee ist fertig\" -T-00:05:00",
    "",
    "Beispiel 2:\tUm 2:23 Uhr soll der PC sich ausschalten",
    "\tAufruf:\tKelvaro -A -S -T02:23:00",
    "",
    "Beispiel 3:\tIn 1 Stunde den Rechner zwingend neustarten",
    "\tAufruf:\tKelvaro -A -R -F -T-01:00:00",
};

QString expectedHelpText()
{
    QStringList lines;
    for (const char* line : kHelpLines)
        lines << QString::fromUtf8(line);
    return lines.join(u'\n');
}

class Hilfe : public ::testing::Test
{
protected:
    THilfe window;
    QPlainTextEdit* memo = window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"));
    QPushButton* closeButton = window.findChild<QPushButton*>(QStringLiteral("Button1"));

    void SetUp() override
    {
        ASSERT_TRUE(memo);
        ASSERT_TRUE(closeButton);
    }
};

TEST_F(Hilfe, ShowsTheHelpTextExactly)
{
    const QString expected = expectedHelpText();
    ASSERT_EQ(std::size(kHelpLines), 57u);
    EXPECT_EQ(THilfe::helpText(), expected);
    EXPECT_EQ(memo->toPlainText().toUtf8(), expected.toUtf8());
    EXPECT_EQ(memo->toPlainText().split(u'\n').size(), 57);
    EXPECT_EQ(memo->toPlainText().count(u'\t'), 68);
    EXPECT_TRUE(memo->toPlainText().contains(QStringLiteral("alle \nProgrammeinstellungen")));
}

TEST_F(Hilfe, TextCanBeSelectedAndCopiedButNotEdited)
{
    window.show();
    memo->setFocus();
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_TRUE(memo->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_TRUE(memo->textInteractionFlags() & Qt::TextSelectableByKeyboard);

    QTest::keyClicks(memo, QStringLiteral("xyz"));
    QTest::keyClick(memo, Qt::Key_Delete);
    QTest::keyClick(memo, Qt::Key_Backspace);
    EXPECT_EQ(memo->toPlainText(), expectedHelpText());

    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(memo->textCursor().selectedText().size(), expectedHelpText().size());
    memo->copy();
    EXPECT_EQ(QApplication::clipboard()->text(), expectedHelpText());
    window.close();
}

TEST_F(Hilfe, TextBoxGrowsWithTheWindowAndTheButtonKeepsToTheCorner)
{
    // The designed size, made wider where the text's longest line needs it.
    window.show();
    const int width = window.width();
    EXPECT_GE(width, 477);
    EXPECT_EQ(window.height(), 454);
    EXPECT_EQ(memo->geometry(), QRect(12, 48, width - 23, 368));
    EXPECT_EQ(closeButton->geometry(), QRect(width - 94, 427, 81, 25));

    window.resize(677, 554);
    EXPECT_EQ(memo->geometry(), QRect(12, 48, 654, 468));
    EXPECT_EQ(closeButton->geometry(), QRect(583, 527, 81, 25));

    window.resize(400, 300);
    EXPECT_EQ(memo->geometry(), QRect(12, 48, 377, 214));
    EXPECT_EQ(closeButton->geometry(), QRect(306, 273, 81, 25));
    EXPECT_GT(memo->horizontalScrollBar()->maximum(), 0); // the lines stay whole; the box scrolls sideways
    window.close();
}

TEST_F(Hilfe, EveryLineIsShownWholeOnOneLine)
{
    window.show();
    const int room = memo->viewport()->width();
    int lines = 0;
    for (QTextBlock line = memo->document()->begin(); line.isValid(); line = line.next(), ++lines) {
        memo->document()->documentLayout()->blockBoundingRect(line); // lays the line out
        ASSERT_EQ(line.layout()->lineCount(), 1) << line.text().toStdString();
        EXPECT_LE(line.layout()->lineAt(0).naturalTextWidth(), room) << line.text().toStdString();
    }
    EXPECT_EQ(lines, 57);
    window.close();
}

TEST_F(Hilfe, CloseBoxAndButtonBothHideTheWindowUnchanged)
{
    window.show();
    closeButton->click();
    EXPECT_FALSE(window.isVisible());

    window.show();
    window.resize(600, 500);
    window.close(); // the close box
    EXPECT_FALSE(window.isVisible());

    window.show();
    EXPECT_EQ(memo->toPlainText(), expectedHelpText());
    window.close();
}

} // namespace
} // namespace kelvaro::test
