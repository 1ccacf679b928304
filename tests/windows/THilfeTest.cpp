#include "windows/THilfe.h"

#include "mock/QtPrinters.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QFile>
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

/** The help text as the program must show it: the text file it is made from, as it stands. */
QString expectedHelpText()
{
    QFile file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../src/resources/help.txt"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(file.fileName());
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
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
    ASSERT_GE(expected.count(u'\n'), 60);
    EXPECT_EQ(THilfe::helpText(), expected);
    EXPECT_EQ(memo->toPlainText().toUtf8(), expected.toUtf8());
    EXPECT_EQ(memo->toPlainText().split(u'\n').size(), expected.split(u'\n').size());
    EXPECT_EQ(memo->toPlainText().count(u'\t'), expected.count(u'\t'));
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
    EXPECT_EQ(lines, expectedHelpText().split(u'\n').size());
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
