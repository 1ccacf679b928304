#include "MainWindowFixture.h"
#include "core/ExpirySoundPlayer.h"
#include "mock/TempDir.h"
#include "platform/FileRegistryStore.h"
#include "widgets/ActionPanel.h"
#include "widgets/ClickPanel.h"

#include <QDir>
#include <QListWidget>
#include <QTest>

using namespace kelvaro;
using namespace kelvaro::test;

namespace {

/** Compares long texts without printing them: the sizes and the first difference. */
::testing::AssertionResult sameText(const QString& actual, const QString& expected)
{
    if (actual == expected)
        return ::testing::AssertionSuccess();
    qsizetype at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return ::testing::AssertionFailure() << actual.size() << " characters instead of " << expected.size()
                                         << ", first difference at " << at;
}

/** The main window on a real store file in a private folder, with the real expiry sound on the fake output. */
class HostileStore : public MainWindowFixture
{
protected:
    TempDir dir;
    FileRegistryStore file{dir.file(QStringLiteral("registry.reg"))};
    ExpirySoundPlayer player{mediaPlayer, boxes, audio};

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        registry = &file;
        expirySound = &player;
    }

    void writeStoreBytes(const QByteArray& bytes)
    {
        QFile out(file.path());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }
    QStringList filesInDir() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }

    /** Runs a countdown of one second to its end; the message window shows `seen` its label's text. */
    void expire(QString& seen)
    {
        setCountdown(0, 0, 1);
        modal.actions[QStringLiteral("Nachricht")] = [&](QDialog&) {
            seen = nachricht->Label_Nachricht->text();
            EXPECT_EQ(nachricht->Label_Nachricht->textFormat(), Qt::PlainText);
            EXPECT_EQ(nachricht->size(), QSize(393, 129));
            EXPECT_EQ(main->windowTitle(), QStringLiteral("Kelvaro 0.90"));
            EXPECT_EQ(main->trayHint(), QStringLiteral("Kelvaro"));
            EXPECT_EQ(ui().StatusBar1->panelText(0), QStringLiteral("Nachricht anzeigen"));
            QTest::mouseClick(nachricht->Btn_OK, Qt::LeftButton);
        };
        if (!running())
            ui().Btn_Start->click();
        advance(3'000);
        EXPECT_FALSE(running());
        EXPECT_FALSE(nachricht->isVisible());
    }
};

// ---------------------------------------------------------------------------------------------
// A message of a megabyte

enum class Source { Store, CommandLine, MainField, Editor };

std::string sourceName(Source source)
{
    static const char* const names[] = {"Store", "CommandLine", "MainField", "Editor"};
    return names[static_cast<int>(source)];
}

class MegabyteMessage : public HostileStore, public ::testing::WithParamInterface<Source>
{
protected:
    const QString message = QStringLiteral("Anfang ") + QString(1'000'000, u'x') + QStringLiteral(" Ende");
};

// However the message arrives, it is kept whole, the message window lays out only its start, and
// saving and reading the store gives it back unchanged.
TEST_P(MegabyteMessage, IsKeptWholeAndShownInPart)
{
    switch (GetParam()) {
    case Source::Store:
        ASSERT_TRUE(file.update([&](RegistryTree& tree) {
            tree.createKey(kMainKey);
            tree.setValue(kMainKey, QStringLiteral("Nachricht"), RegValue::sz(message));
        }));
        createAndShow();
        break;
    case Source::CommandLine:
        createAndShow({QStringLiteral("-M") + message, QStringLiteral("-T-00:00:01"), QStringLiteral("-A")});
        advance(1'000); // the first clock tick starts the run
        EXPECT_TRUE(running());
        break;
    case Source::MainField:
        createAndShow();
        ui().Aktion->Ed_Nachricht->insert(message); // as a paste arrives
        break;
    case Source::Editor:
        createAndShow();
        inputBox.answers = {QStringLiteral("Lang")};
        modal.actions[QStringLiteral("Einstellungen")] = [&](QDialog&) {
            einstellungen->Eingabe->Ed_Minuten->setText(QStringLiteral("1"));
            einstellungen->Aktion->Ed_Nachricht->insert(message);
            einstellungen->Btn_OK->click();
        };
        ui().Btn_Presets_Add->click();
        ui().CBx_Presets->activated(1);
        break;
    }
    ASSERT_TRUE(boxes.boxes.isEmpty()) << boxes.texts().join(u'|').left(200).toStdString();
    EXPECT_TRUE(sameText(main->CurrentOptions().GetNachricht(), message));
    EXPECT_TRUE(sameText(ui().Aktion->Ed_Nachricht->text(), message));

    // Another control redraws the view, and a key typed at the end of the field adds to the whole text.
    ui().Aktion->P_Shutdown->clicked();
    ui().Aktion->P_Msg->clicked();
    EXPECT_TRUE(sameText(main->CurrentOptions().GetNachricht(), message));
    ui().Aktion->Ed_Nachricht->end(false);
    QTest::keyClick(ui().Aktion->Ed_Nachricht, Qt::Key_Exclam);
    EXPECT_TRUE(sameText(main->CurrentOptions().GetNachricht(), message + u'!'));
    QTest::keyClick(ui().Aktion->Ed_Nachricht, Qt::Key_Backspace);
    EXPECT_TRUE(sameText(main->CurrentOptions().GetNachricht(), message));

    QString seen;
    expire(seen);
    EXPECT_TRUE(sameText(seen, message.left(TNachricht::kShownMessageLength)));

    ui().Btn_Speichern->click();
    TEinst stored;
    stored.LoadFromRegistry(file, 0);
    EXPECT_TRUE(sameText(stored.GetNachricht(), message));
}

INSTANTIATE_TEST_SUITE_P(Sources, MegabyteMessage,
                         ::testing::Values(Source::Store, Source::CommandLine, Source::MainField, Source::Editor),
                         [](const ::testing::TestParamInfo<Source>& row) { return sourceName(row.param); });

// ---------------------------------------------------------------------------------------------
// A store file that is not valid UTF-8

struct BadBytes
{
    const char* name;
    QByteArray bytes;
};

class InvalidUtf8 : public HostileStore, public ::testing::WithParamInterface<BadBytes>
{};

// Texts with bytes that are not UTF-8 (a file saved in ANSI, or damaged) are read byte for byte as
// Windows-1252: every byte becomes one character, nothing is lost or moved aside, and saving the
// default set writes them as UTF-8 and keeps every other value, key and preset of the file.
TEST_P(InvalidUtf8, IsReadByteForByteAndSavingKeepsTheRest)
{
    const QByteArray bad = GetParam().bytes;
    writeStoreBytes("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kelvaro]\r\n"
                    "\"Nachricht\"=\"vor " +
                    bad +
                    " nach\"\r\n"
                    "\"AnzBeeps\"=dword:00000005\r\n\"SoundMode\"=dword:00000001\r\n"
                    "\"Fremd" +
                    bad +
                    "\"=\"bleibt\"\r\n\r\n"
                    "[HKEY_CURRENT_USER\\Software\\Kelvaro\\001]\r\n\"Name\"=\"Tee " +
                    bad +
                    "\"\r\n\"Zeit_Minuten\"=dword:00000005\r\n\r\n"
                    "[HKEY_CURRENT_USER\\Software\\Andere]\r\n\"Wert\"=\"" +
                    bad + "\"\r\n");
    createAndShow();
    const QString message = main->CurrentOptions().GetNachricht();
    EXPECT_TRUE(message.startsWith(QStringLiteral("vor "))) << message.toStdString();
    EXPECT_TRUE(message.endsWith(QStringLiteral(" nach"))) << message.toStdString();
    EXPECT_EQ(message.size(), 9 + bad.size());
    EXPECT_FALSE(message.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(ui().Aktion->Ed_Nachricht->text(), message);
    EXPECT_EQ(main->CurrentOptions().GetAnzBeeps(), 5);
    ASSERT_EQ(listLines().size(), 1);
    const QString presetName = listLines().constFirst();
    EXPECT_EQ(presetName.size(), 4 + bad.size());
    EXPECT_TRUE(boxes.boxes.isEmpty());

    const RegistryTree before = file.load();
    ui().Btn_Speichern->click();
    EXPECT_TRUE(boxes.boxes.isEmpty());
    EXPECT_TRUE(filesInDir().filter(QStringLiteral("broken")).isEmpty()) << "nothing moved aside";
    QFile written(file.path());
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QByteArray bytes = written.readAll();
    EXPECT_TRUE(QString::fromUtf8(bytes).toUtf8() == bytes) << "the file is UTF-8 now";

    const RegistryTree after = file.load();
    EXPECT_EQ(after.subkeys(kMainKey), before.subkeys(kMainKey));
    EXPECT_TRUE(after.value(QStringLiteral("Software\\Andere"), QStringLiteral("Wert")) ==
                before.value(QStringLiteral("Software\\Andere"), QStringLiteral("Wert")));
    for (const QString& name : before.valueNames(kMainKey)) {
        if (name != QStringLiteral("Nachricht") && name != QStringLiteral("AnzBeeps") &&
            name != QStringLiteral("SoundMode")) {
            EXPECT_TRUE(after.value(kMainKey, name) == before.value(kMainKey, name)) << name.toStdString();
        }
        EXPECT_TRUE(after.value(kMainKey, name).has_value()) << name.toStdString();
    }
    TEinst reread;
    reread.LoadFromRegistry(file, 0);
    EXPECT_EQ(reread.GetNachricht(), message);

    main->hide();
    main->show();
    EXPECT_EQ(listLines(), QStringList{presetName});
}

INSTANTIATE_TEST_SUITE_P(Bytes, InvalidUtf8,
                         ::testing::Values(BadBytes{"Latin1", "Gr\xfc\xdf"}, BadBytes{"Continuation", "\x80\xbf"},
                                           BadBytes{"CutSequence", "\xe2\x82"}, BadBytes{"Overlong", "\xc0\xaf"},
                                           BadBytes{"Surrogate", "\xed\xa0\x80"}, BadBytes{"FF", "\xff\xfe"},
                                           BadBytes{"BeyondUnicode", "\xf4\x90\x80\x80"},
                                           BadBytes{"Unassigned1252", "\x81\x8d\x8f\x90\x9d"}),
                         [](const ::testing::TestParamInfo<BadBytes>& row) { return std::string(row.param.name); });

// ---------------------------------------------------------------------------------------------
// A thousand presets

// Preset 1000 is stored under the key "1000", which the store lists between "100" and "101"; the
// list still follows the numbers, and every change keeps the numbering gap-free past 999.
TEST_F(HostileStore, ThousandPresetsKeepTheirOrderThroughEveryChange)
{
    constexpr int count = 1000;
    QStringList names;
    ASSERT_TRUE(file.update([&](RegistryTree& tree) {
        TEinst preset;
        for (int k = 1; k <= count; ++k) {
            names << QStringLiteral("P%1").arg(k);
            preset.SetName(names.back());
            preset.SetMinuten(k % 60);
            preset.SetNachricht(QStringLiteral("Tee"));
            preset.SaveToTree(tree, k);
        }
    }));
    ASSERT_TRUE(file.load().keyExists(kMainKey + QStringLiteral("\\1000")));
    createAndShow();
    EXPECT_EQ(listLines(), names);
    ASSERT_EQ(ui().CBx_Presets->count(), count + 1);
    EXPECT_EQ(ui().CBx_Presets->itemText(count), QStringLiteral("P1000"));

    ui().CBx_Presets->activated(count);
    EXPECT_EQ(main->CurrentOptions().GetName(), QStringLiteral("P1000"));
    EXPECT_EQ(main->CurrentOptions().options().Zeit_Minuten, 1000 % 60);

    // Change the last one: it stays number 1000.
    ui().LBx_Presets->setCurrentRow(count - 1);
    inputBox.answers = {QStringLiteral("Tausend")};
    modal.actions[QStringLiteral("Einstellungen")] = [&](QDialog&) {
        einstellungen->Btn_OK->click();
    };
    ui().Btn_Presets_Change->click();
    names.back() = QStringLiteral("Tausend");
    EXPECT_EQ(listLines(), names);
    TEinst stored;
    stored.LoadFromRegistry(file, 1000);
    EXPECT_EQ(stored.GetName(), QStringLiteral("Tausend"));
    EXPECT_EQ(stored.options().Zeit_Minuten, 1000 % 60);

    // Delete the first: the rest move up to 001 ... 999, and "1000" goes.
    ui().LBx_Presets->setCurrentRow(0);
    ui().Btn_Presets_Del->click();
    names.removeFirst();
    EXPECT_EQ(listLines(), names);
    EXPECT_FALSE(file.load().keyExists(kMainKey + QStringLiteral("\\1000")));
    stored.LoadFromRegistry(file, 999);
    EXPECT_EQ(stored.GetName(), QStringLiteral("Tausend"));
    stored.LoadFromRegistry(file, 100);
    EXPECT_EQ(stored.GetName(), QStringLiteral("P101"));

    // Add one: it becomes number 1000 again, and reading the store gives the same list.
    modal.actions.clear(); // the editor is left without "OK": the defaults under the name
    inputBox.answers = {QStringLiteral("Neu")};
    ui().Btn_Presets_Add->click();
    names << QStringLiteral("Neu");
    stored.LoadFromRegistry(file, 1000);
    EXPECT_EQ(stored.GetName(), QStringLiteral("Neu"));
    main->hide();
    main->show();
    EXPECT_EQ(listLines(), names);
    EXPECT_EQ(file.load().subkeys(kMainKey).size(), count);
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

} // namespace
