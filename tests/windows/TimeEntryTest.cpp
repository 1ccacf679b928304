#include "MainWindowFixture.h"
#include "widgets/ClickPanel.h"
#include "widgets/DigitPad.h"

#include <QApplication>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

const QString kOnlyNumbers = QStringLiteral("Fehler bei der Eingabe!\r\nEs sind nur Zahlen erlaubt.");
const QString kHoursRange = QStringLiteral("Fehler bei der Eingabe!\n\rEs sind nur Zahlen zwischen 0 und 23 erlaubt.");
const QString kMinutesRange =
    QStringLiteral("Fehler bei der Eingabe!\n\rEs sind nur Zahlen zwischen 0 und 59 erlaubt.");

class TimeEntry : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        createAndShow();
        QApplication::setActiveWindow(main.get());
    }

    TimeEntryBox& entry() { return *ui().Eingabe; }
    DigitPad& pad() { return *ui().P_Eingabehilfe; }

    qint32 hours() const { return time()[0]; }
    qint32 minutes() const { return time()[1]; }
    qint32 seconds() const { return time()[2]; }

    /** Types into a field as the user would: select everything, then the keys. */
    void typeInto(QLineEdit* field, const QString& keys)
    {
        field->setFocus(Qt::MouseFocusReason);
        field->selectAll();
        QTest::keyClicks(field, keys);
    }

    void clickCell(const char* name)
    {
        auto* cell = pad().findChild<ClickPanel*>(QLatin1String(name));
        ASSERT_NE(cell, nullptr) << name;
        QTest::mouseClick(cell, Qt::LeftButton);
    }
};

TEST_F(TimeEntry, TwentyFiveIntoTheHoursKeepsTwoAndWarns)
{
    typeInto(entry().Ed_Stunden, QStringLiteral("2"));
    EXPECT_EQ(hours(), 2);
    EXPECT_TRUE(boxes.boxes.isEmpty());
    QTest::keyClicks(entry().Ed_Stunden, QStringLiteral("5"));
    EXPECT_EQ(entry().Ed_Stunden->text(), QStringLiteral("2"));
    EXPECT_EQ(hours(), 2);
    ASSERT_EQ(boxes.texts(), QStringList{kHoursRange});
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Warning"));
    EXPECT_EQ(entry().Ed_Stunden->selectedText(), QStringLiteral("2"));
}

TEST_F(TimeEntry, DeletingAllTextShowsAndStoresZero)
{
    typeInto(entry().Ed_Minuten, QStringLiteral("42"));
    ASSERT_EQ(minutes(), 42);
    entry().Ed_Minuten->selectAll();
    QTest::keyClick(entry().Ed_Minuten, Qt::Key_Backspace);
    EXPECT_EQ(entry().Ed_Minuten->text(), QStringLiteral("0"));
    EXPECT_EQ(minutes(), 0);
    EXPECT_TRUE(boxes.boxes.isEmpty());
    EXPECT_EQ(entry().Ed_Minuten->selectedText(), QStringLiteral("0"));
}

TEST_F(TimeEntry, PastedMinusOneGivesTheNestedWarningFirst)
{
    typeInto(entry().Ed_Sekunden, QStringLiteral("7"));
    entry().Ed_Sekunden->setText(QStringLiteral("-1")); // replaced in one step, as by pasting
    EXPECT_EQ(entry().Ed_Sekunden->text(), QStringLiteral("-"));
    EXPECT_EQ(boxes.texts(), (QStringList{kOnlyNumbers, kMinutesRange}));
    EXPECT_EQ(seconds(), 7);
}

TEST_F(TimeEntry, LettersAreRefusedAndTheOptionKept)
{
    typeInto(entry().Ed_Minuten, QStringLiteral("5"));
    QTest::keyClicks(entry().Ed_Minuten, QStringLiteral("a"));
    EXPECT_EQ(boxes.texts(), QStringList{kOnlyNumbers});
    EXPECT_EQ(minutes(), 5);
    // Leaving the field checks it again.
    leave();
    EXPECT_EQ(boxes.texts(), (QStringList{kOnlyNumbers, kOnlyNumbers}));
    EXPECT_TRUE(entry().Ed_Minuten->hasFocus());
}

TEST_F(TimeEntry, HexadecimalTextIsANumber)
{
    entry().Ed_Minuten->setText(QStringLiteral("$A")); // pasted
    EXPECT_EQ(minutes(), 10);
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(TimeEntry, ClickOnZeroSelectsIt)
{
    ASSERT_EQ(entry().Ed_Sekunden->text(), QStringLiteral("0"));
    QTest::mouseClick(entry().Ed_Sekunden, Qt::LeftButton);
    EXPECT_EQ(entry().Ed_Sekunden->selectedText(), QStringLiteral("0"));
    typeInto(entry().Ed_Sekunden, QStringLiteral("12"));
    entry().Ed_Sekunden->deselect();
    QTest::mouseClick(entry().Ed_Sekunden, Qt::LeftButton);
    EXPECT_EQ(entry().Ed_Sekunden->selectedText(), QString());
}

TEST_F(TimeEntry, PadForHoursOffersTensUpToTwoAndItsTakeOverIsValidated)
{
    QTest::mouseDClick(entry().Ed_Stunden, Qt::LeftButton);
    ASSERT_TRUE(pad().isVisible());
    EXPECT_EQ(pad().target(), TimeEntryBox::TargetStunden);
    for (const char* hidden : {"P_EH13", "P_EH14", "P_EH15"})
        EXPECT_FALSE(pad().findChild<ClickPanel*>(QLatin1String(hidden))->isVisible()) << hidden;
    EXPECT_TRUE(pad().findChild<ClickPanel*>(QStringLiteral("P_EH29"))->isVisible());

    clickCell("P_EH12");
    clickCell("P_EH29");
    EXPECT_TRUE(pad().findChild<ClickPanel*>(QStringLiteral("P_EH12"))->isChosen());
    EXPECT_FALSE(pad().findChild<ClickPanel*>(QStringLiteral("P_EH10"))->isChosen());
    clickCell("P_EH_uebernehmen");
    EXPECT_FALSE(pad().isVisible());
    EXPECT_EQ(entry().Ed_Stunden->text(), QStringLiteral("2"));
    EXPECT_EQ(hours(), 2);
    EXPECT_EQ(boxes.texts(), QStringList{kHoursRange});
}

TEST_F(TimeEntry, PadOpensOnTheFieldsNumberAndWritesTwoDigits)
{
    typeInto(entry().Ed_Minuten, QStringLiteral("7"));
    QTest::mouseDClick(entry().Ed_Minuten, Qt::LeftButton);
    EXPECT_EQ(pad().tensDigit(), 0);
    EXPECT_EQ(pad().unitsDigit(), 7);
    EXPECT_TRUE(pad().findChild<ClickPanel*>(QStringLiteral("P_EH15"))->isVisible());
    clickCell("P_EH_uebernehmen");
    EXPECT_EQ(entry().Ed_Minuten->text(), QStringLiteral("07"));
    EXPECT_EQ(minutes(), 7);

    typeInto(entry().Ed_Sekunden, QStringLiteral("45"));
    QTest::mouseDClick(entry().Ed_Sekunden, Qt::LeftButton);
    EXPECT_EQ(pad().tensDigit(), 4);
    EXPECT_EQ(pad().unitsDigit(), 5);
    // A second double-click, in any field, closes it; so does "x".
    QTest::mouseDClick(entry().Ed_Stunden, Qt::LeftButton);
    EXPECT_FALSE(pad().isVisible());
    QTest::mouseDClick(entry().Ed_Stunden, Qt::LeftButton);
    clickCell("Panel25");
    EXPECT_FALSE(pad().isVisible());
}

TEST_F(TimeEntry, PadOnAFieldWithoutANumberKeepsItsPreviousDigits)
{
    typeInto(entry().Ed_Minuten, QStringLiteral("38"));
    QTest::mouseDClick(entry().Ed_Minuten, Qt::LeftButton);
    QTest::mouseDClick(entry().Ed_Minuten, Qt::LeftButton);
    QTest::keyClicks(entry().Ed_Minuten, QStringLiteral("x")); // "38x" stays after its warning
    QTest::mouseDClick(entry().Ed_Minuten, Qt::LeftButton);
    EXPECT_TRUE(pad().isVisible());
    EXPECT_EQ(pad().tensDigit(), 3);
    EXPECT_EQ(pad().unitsDigit(), 8);
}

class ClockTimeEntry : public TimeEntry
{
protected:
    void SetUp() override
    {
        TimeEntry::SetUp();
        main->CurrentOptions().SetZeitMode(ZeitUhrzeit);
        main->ShowOptions();
        advance(1'000); // the first clock tick
    }

    void typeClock(const QString& text)
    {
        entry().Ed_Uhrzeit->setFocus(Qt::TabFocusReason);
        entry().Ed_Uhrzeit->selectAll();
        QTest::keyClicks(entry().Ed_Uhrzeit, text);
    }
};

TEST_F(ClockTimeEntry, IsTakenOverWhenTheFieldIsLeft)
{
    typeClock(QStringLiteral("073015"));
    EXPECT_EQ(time(), (std::array<qint32, 3>{0, 0, 0})); // not before leaving
    leave();
    EXPECT_EQ(time(), (std::array<qint32, 3>{7, 30, 15}));
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(ClockTimeEntry, HoursOutOfRangeAreRefusedSilently)
{
    typeClock(QStringLiteral("253015"));
    leave();
    EXPECT_EQ(time(), (std::array<qint32, 3>{0, 30, 15}));
    EXPECT_EQ(entry().uhrzeitText(), QStringLiteral("25:30:15"));
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(ClockTimeEntry, IncompleteEntryKeepsTheFocusAndTakesNothingOver)
{
    typeClock(QStringLiteral("12"));
    entry().Ed_Uhrzeit->end(false);
    QTest::keyClick(entry().Ed_Uhrzeit, Qt::Key_Backspace);
    leave();
    EXPECT_TRUE(onlyBox(boxes, QStringLiteral("Kelvaro"),
                        QStringLiteral("Invalid input value.  Use escape key to abandon changes")));
    EXPECT_TRUE(entry().Ed_Uhrzeit->hasFocus());
    EXPECT_EQ(time(), (std::array<qint32, 3>{0, 0, 0}));

    // Escape abandons the changes.
    QTest::keyClick(entry().Ed_Uhrzeit, Qt::Key_Escape);
    EXPECT_EQ(entry().uhrzeitText(), QStringLiteral("00:00:00"));
}

TEST_F(ClockTimeEntry, GroupsThatAreNoNumbersResetEverything)
{
    main->CurrentOptions().SetStunden(9);
    main->CurrentOptions().SetMinuten(9);
    entry().setUhrzeitText(QStringLiteral("1 :3 :  "));
    entry().Ed_UhrzeitExit();
    EXPECT_EQ(entry().uhrzeitText(), QStringLiteral("00:00:00"));
    EXPECT_EQ(time(), (std::array<qint32, 3>{0, 0, 0}));
}

TEST_F(ClockTimeEntry, EnterTakesTheTypedTimeOverBeforeTheRunStarts)
{
    typeClock(QStringLiteral("104500"));
    QTest::keyClick(entry().Ed_Uhrzeit, Qt::Key_Return);
    EXPECT_TRUE(running());
    EXPECT_EQ(ui().Label11->text(), QStringLiteral("10:45:00"));
}

TEST_F(ClockTimeEntry, EnterOnAnIncompleteTimeStartsNothing)
{
    typeClock(QStringLiteral("10"));
    entry().Ed_Uhrzeit->end(false);
    QTest::keyClick(entry().Ed_Uhrzeit, Qt::Key_Backspace);
    QTest::keyClick(entry().Ed_Uhrzeit, Qt::Key_Return);
    EXPECT_FALSE(running());
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Invalid input value.  Use escape key to abandon changes"));
}

TEST_F(TimeEntry, ModeListShowsItsPanelAndStoresTheMode)
{
    entry().CBx_Zeit->setCurrentIndex(1);
    Q_EMIT entry().CBx_Zeit->activated(1);
    EXPECT_EQ(main->CurrentOptions().GetZeitMode(), ZeitUhrzeit);
    EXPECT_TRUE(entry().P_Uhrzeit->isVisible());
    EXPECT_FALSE(entry().P_Countdown->isVisible());
    Q_EMIT entry().CBx_Zeit->activated(2);
    EXPECT_TRUE(entry().P_Stopuhr->isVisible());
    EXPECT_EQ(main->CurrentOptions().GetZeitMode(), ZeitStopuhr);
}

} // namespace
