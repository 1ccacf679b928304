#include "MainWindowFixture.h"
#include "core/ExpirySoundPlayer.h"
#include "mock/TempDir.h"
#include "platform/FileRegistryStore.h"
#include "widgets/ActionPanel.h"
#include "widgets/QtMessageBoxes.h"
#include "widgets/SoundPanel.h"

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

/** A text a user, a store file or a command line may bring: markup, entities, control characters. */
struct HostileText
{
    const char* name;
    QString text;
};

QString withChars(std::initializer_list<char16_t> chars)
{
    QString text;
    for (char16_t c : chars)
        text += QChar(c);
    return text;
}

const HostileText kTexts[] = {
    {"Markup", QStringLiteral("<b>x</b><img src=\"/usr/share/pixmaps/x.png\">")},
    {"Link", QStringLiteral("<a href=\"https://example.org\">Klick</a>")},
    {"Entities", QStringLiteral("&amp; &lt;b&gt; &#65; &nbsp;")},
    {"LineBreaks", QStringLiteral("eins\tzwei\r\ndrei\nvier\r")},
    {"Controls", withChars({u'a', 0x01, u'b', 0x7F, u'c', 0x1B, u'['})},
    {"Separators", withChars({u'a', 0x2028, u'b', 0x2029, u'c', 0x0085})},
    {"ByteOrderMark", withChars({0xFEFF, u'T', u'e', u'e', 0xFEFF})},
    {"LoneSurrogates", withChars({u'a', 0xD800, u'b', 0xDC00})},
    {"BidiOverride", withChars({0x202E, u'g', u'n', u'o', u'g', 0x202C, u'<', u'i', u'>'})},
};

class HostileTexts : public MainWindowFixture, public ::testing::WithParamInterface<HostileText>
{
protected:
    ExpirySoundPlayer player{mediaPlayer, boxes, audio};
    TempDir dir;
    FileRegistryStore file{dir.file(QStringLiteral("registry.reg"))};

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        expirySound = &player;
        registry = &file;
    }

    QString text() const { return GetParam().text; }
    /** The text as the name of a file: without the characters that separate folders. */
    QString fileName() const
    {
        return QString(text()).replace(u'/', u'_').replace(u':', u'_') + QStringLiteral(".mp3");
    }
    QString caption() const { return main->ProductNameText() + u' ' + main->ProductVersionText(); }
    const QLabel* statusPanel(int index) const
    {
        return ui().StatusBar1->findChild<QLabel*>(QStringLiteral("StatusPanel%1").arg(index));
    }
};

// Pasted into the message field, the text is kept as it is and the message window shows it
// as plain text; captions and tray tip show only the program and the time.
TEST_P(HostileTexts, MessageIsShownLiterallyAtExpiry)
{
    createAndShow();
    QApplication::setActiveWindow(main.get());
    ui().Aktion->Ed_Nachricht->setFocus();
    ui().Aktion->Ed_Nachricht->insert(text());
    EXPECT_EQ(main->CurrentOptions().GetNachricht(), text());
    EXPECT_EQ(ui().Aktion->Ed_Nachricht->text(), text());

    advance(1'000); // the first clock tick
    setCountdown(0, 0, 2);
    bool shown = false;
    modal.actions[QStringLiteral("Nachricht")] = [&](QDialog& dialog) {
        shown = true;
        EXPECT_EQ(nachricht->Label_Nachricht->textFormat(), Qt::PlainText);
        EXPECT_EQ(nachricht->Label_Nachricht->text(), text());
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Kelvaro Nachrichtenfenster"));
        EXPECT_EQ(main->windowTitle(), caption());
        EXPECT_EQ(main->trayHint(), main->ProductNameText());
        QTest::mouseClick(nachricht->Btn_OK, Qt::LeftButton);
    };
    ui().Btn_Start->click();
    advance(1'100);
    EXPECT_EQ(main->windowTitle(), caption() + QStringLiteral("  [00:00:01]"));
    advance(2'000);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(running());
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

// Typed into the preset editor, stored as a preset and chosen again, the text comes back whole.
TEST_P(HostileTexts, MessageAndNameSurviveTheEditorAndTheStore)
{
    createAndShow();
    inputBox.answers = {u'[' + text() + u']'}; // brackets, so that no blank is trimmed off
    modal.actions[QStringLiteral("Einstellungen")] = [&](QDialog&) {
        einstellungen->Eingabe->Ed_Minuten->setText(QStringLiteral("1"));
        einstellungen->Aktion->Ed_Nachricht->insert(text());
        einstellungen->Btn_OK->click();
    };
    ui().Btn_Presets_Add->click();
    ASSERT_TRUE(boxes.boxes.isEmpty()) << boxes.texts().join(u'|').toStdString();

    main->hide();
    main->show(); // the presets are read from the store again
    // A lone surrogate is no character and has no UTF-8 form: the store file keeps a replacement.
    const QString stored = text().isValidUtf16() ? text() : QString::fromUtf8(text().toUtf8());
    ASSERT_EQ(ui().LBx_Presets->count(), 1);
    EXPECT_EQ(ui().LBx_Presets->item(0)->text(), u'[' + stored + u']');
    EXPECT_EQ(ui().CBx_Presets->itemText(1), u'[' + stored + u']');
    ui().CBx_Presets->activated(1);
    EXPECT_EQ(main->CurrentOptions().GetName(), u'[' + stored + u']');
    EXPECT_EQ(main->CurrentOptions().GetNachricht(), stored);
    EXPECT_EQ(ui().Aktion->Ed_Nachricht->text(), stored);
    EXPECT_EQ(main->windowTitle(), caption());
}

// The file name appears in the field and, after the last slash, in the status bar, as plain text
// on one line: the status bar keeps the height it has for an ordinary name.
TEST_P(HostileTexts, SoundFileNameIsShownLiterallyOnOneLine)
{
    createAndShow();
    QApplication::setActiveWindow(main.get());
    ui().Btn_Config->click();
    main->CurrentOptions().SetSoundMode(SoundFile);
    main->CurrentOptions().SetSoundFile(dir.file(QStringLiteral("gong.mp3")));
    main->ShowOptions();
    const int statusHeight = ui().StatusBar1->sizeHint().height();

    const QString name = fileName();
    const QString path = dir.file(name);
    ui().Sound->Ed_SoundFile->setFocus();
    ui().Sound->Ed_SoundFile->selectAll();
    ui().Sound->Ed_SoundFile->insert(path);
    leave();
    EXPECT_EQ(main->CurrentOptions().GetSoundFile(), path);
    EXPECT_EQ(ui().Sound->Ed_SoundFile->text(), path);
    ASSERT_NE(statusPanel(1), nullptr);
    EXPECT_EQ(statusPanel(1)->textFormat(), Qt::PlainText);
    QString oneLine = name; // what breaks a line or draws nothing shows as a blank
    for (QChar& c : oneLine) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    EXPECT_EQ(ui().StatusBar1->panelText(1), QStringLiteral("Sound-Datei [") + oneLine + u']');
    EXPECT_LT(ui().StatusBar1->sizeHint().height(), statusHeight * 3 / 2); // glyphs may differ by a pixel
}

// A sound file that cannot be played: its reason, which names the file, reaches the error box
// whole, and the message follows.
TEST_P(HostileTexts, ReasonNamingTheFileReachesTheErrorBox)
{
    const QString path = dir.file(fileName());
    QFile soundFile(path);
    if (!soundFile.open(QIODevice::WriteOnly))
        GTEST_SKIP() << "the file system refuses this name";
    audio.unplayable[path] = QStringLiteral("Kann '") + path + QStringLiteral("' nicht öffnen");
    createAndShow();
    main->CurrentOptions().SetSoundMode(SoundFile);
    main->CurrentOptions().SetSoundFile(path);
    setCountdown(0, 0, 1);
    ui().Btn_Start->click();
    advance(3'000);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].text, audio.unplayable[path] + u'.');
    EXPECT_EQ(modal.shown, QStringList{QStringLiteral("Nachricht")});
}

// The real message box shows any text as plain text, line breaks as line breaks.
TEST_P(HostileTexts, MessageBoxShowsTheTextAsPlainText)
{
    QtMessageBoxes real;
    QMessageBox* seen = nullptr;
    Qt::TextFormat format = Qt::RichText;
    QString shownText;
    QString shownCaption;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = box;
            format = box->textFormat();
            shownText = box->text();
            shownCaption = box->windowTitle();
            box->done(QMessageBox::Ok);
        }
    });
    poll.start(10);
    real.showError(QStringLiteral("Kelvaro"), QStringLiteral("Datei ") + text());
    poll.stop();
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shownText, QtMessageBoxes::displayText(QStringLiteral("Datei ") + text()));
    EXPECT_EQ(shownCaption, QStringLiteral("Kelvaro"));
}

INSTANTIATE_TEST_SUITE_P(Table, HostileTexts, ::testing::ValuesIn(kTexts),
                         [](const ::testing::TestParamInfo<HostileText>& row) { return std::string(row.param.name); });

} // namespace
