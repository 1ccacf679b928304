#include "core/RegFileFormat.h"

#include <gtest/gtest.h>

#include <random>

using namespace kelvaro;

namespace {

QString u16(const char16_t* text)
{
    return QString::fromUtf16(text);
}

const QString kSub = kMainKey + u16(u"\\001");

/** Every kind of value, with the characters the format has to escape or encode, and empty keys. */
RegistryTree sampleTree()
{
    QByteArray allBytes;
    for (int i = 0; i < 256; ++i)
        allBytes += static_cast<char>(i);
    const QString nul(QChar(0));
    const std::pair<QString, RegValue> values[] = {
        {u16(u"Umlaute"), RegValue::sz(u16(u"Äpfel, Öl, Übel, süß, 5 €"))},
        {u16(u"Pfad"), RegValue::sz(u16(u"C:\\a\\\"b\"\\\\"))},
        {u16(u"Zeilen"), RegValue::sz(u16(u"Zeile 1\r\nZeile 2\n\tEnde\r"))},
        {u16(u"Steuer"), RegValue::sz(nul + u16(u"\x01\x1b\x7f") + nul + u16(u"x") + nul)},
        {u16(u"Leer"), RegValue::sz(QString())},
        {u16(u"Bom"), RegValue::sz(u16(u"\uFEFFa\U0001F600b"))},
        {u16(u"Expand"), RegValue::expandSz(u16(u"%TEMP%\\Töne\\\"x\".wav"))},
        {u16(u"ExpandLeer"), RegValue::expandSz(QString())},
        {u16(u"Null"), RegValue::fromDword(0)},
        {u16(u"Max"), RegValue::fromDword(0xFFFFFFFFu)},
        {u16(u"BinLeer"), RegValue{REG_BINARY, {}, 0, {}}},
        {u16(u"Bin"), RegValue{REG_BINARY, {}, 0, allBytes}},
        {u16(u"Nichts"), RegValue{REG_NONE, {}, 0, QByteArray("\x00\x01", 2)}},
        {u16(u"Qword"), RegValue{11, {}, 0, QByteArray("\x01\x02\x03\x04\x05\x06\x07\x08")}},
        {u16(u"Typ"), RegValue{0xFFFFFFFFu, {}, 0, QByteArray("\xff")}},
        {QString(), RegValue::sz(u16(u"Standard"))},
        {u16(u"a\"b\\c\\"), RegValue::fromDword(1)},
        {u16(u"@Größe"), RegValue::fromDword(2)},
        {u16(u"a\tb\rc"), RegValue::sz(u16(u"x"))},
    };
    RegistryTree tree;
    tree.createKey(kSub);
    tree.createKey(kMainKey + u16(u"\\002\\leer"));
    tree.createKey(u16(u"Software\\Ändere Firma\\ Leer \\x]y"));
    for (const auto& [name, value] : values)
        tree.setValue(kSub, name, value);
    return tree;
}

TEST(RegFileFormat, EveryKindOfValueSurvivesWriteAndParse)
{
    const RegistryTree tree = sampleTree();
    const QByteArray bytes = RegFileFormat::write(tree);
    QString error;
    const std::optional<RegistryTree> parsed = RegFileFormat::parse(bytes, &error);
    ASSERT_TRUE(parsed) << error.toStdString();
    EXPECT_TRUE(*parsed == tree) << bytes.toStdString();
    EXPECT_TRUE(RegFileFormat::parse(RegFileFormat::write(RegistryTree()))->isEmpty());
}

TEST(RegFileFormat, WritesTheExpectedBytes)
{
    RegistryTree tree;
    tree.createKey(kSub);
    tree.createKey(kMainKey + u16(u"\\Leer"));
    tree.setValue(kMainKey, u16(u"Name"), RegValue::sz(u16(u"Tee \"grün\" C:\\")));
    tree.setValue(kMainKey, u16(u"Aktion"), RegValue::fromDword(0xAB));
    tree.setValue(kMainKey, QString(), RegValue::sz(u16(u"Std")));
    tree.setValue(kSub, u16(u"Pfad"), RegValue::expandSz(u16(u"%A%")));
    tree.setValue(kSub, u16(u"Nachricht"), RegValue::sz(u16(u"A\n")));
    tree.setValue(kSub, u16(u"Entf"), RegValue::sz(u16(u"\x7f")));
    tree.setValue(kSub, u16(u"Daten"), RegValue{REG_BINARY, {}, 0, QByteArray(30, '\x5a')});
    tree.setValue(kSub, u16(u"Q"), RegValue{11, {}, 0, QByteArray(2, '\x01')});

    const QByteArray expected = "REGEDIT4\n"
                                "\n"
                                "[HKEY_CURRENT_USER\\Software]\n"
                                "\n"
                                "[HKEY_CURRENT_USER\\Software\\Kelvaro]\n"
                                "\"Name\"=\"Tee \\\"gr\xc3\xbcn\\\" C:\\\\\"\n"
                                "\"Aktion\"=dword:000000ab\n"
                                "@=\"Std\"\n"
                                "\n"
                                "[HKEY_CURRENT_USER\\Software\\Kelvaro\\001]\n"
                                "\"Pfad\"=hex(2):25,41,25,00\n"
                                "\"Nachricht\"=hex(1):41,0a,00\n"
                                "\"Entf\"=hex(1):7f,00\n"
                                "\"Daten\"=hex:5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,\\\n"
                                "  5a,5a,5a,5a,5a,5a,5a,5a\n"
                                "\"Q\"=hex(b):01,01\n"
                                "\n"
                                "[HKEY_CURRENT_USER\\Software\\Kelvaro\\Leer]\n";
    EXPECT_EQ(RegFileFormat::write(tree).toStdString(), expected.toStdString());
}

TEST(RegFileFormat, ReadsFilesFromOtherEditors)
{
    // BOM, CRLF, comments, blank lines, upper case, short dwords, spaces around '=', hex(1) and
    // hex(2) with and without their terminating zero, hex continued over lines, Windows-1252 texts
    // (one ending in a byte that would start a UTF-8 sequence).
    const QByteArray bytes = "\xEF\xBB\xBFREGEDIT4\r\n"
                             "; exported by hand\r\n"
                             "\r\n"
                             "[hkey_current_user\\Software\\Kelvaro\\Gr\xf6\xdf\x65]  \r\n"
                             "\"Aktion\" = DWORD:1F\r\n"
                             "  ; indented comment\r\n"
                             "\"Text\"=hex(1):48,49\r\n"
                             "\"Pfad\"=HEX(2):25,41,25,00,00\r\n"
                             "\"Lang\"=hex:01,02,\\\r\n"
                             "  03, 04,\\\r\n"
                             "  FF\r\n"
                             "\"Vier\"=hex(4):78,56,34,12\r\n"
                             "\"M\xe4rz\"=\"\x80 \x84\xfc\x93 \x81\"\n"
                             "\"Ansi\"=hex(2):c4,00\n"
                             "\"Utf8\"=\"\xc3\xa4\"\n"
                             "\"Gro\xdf\"=\"Gro\xdf\"\n";
    QString error;
    const std::optional<RegistryTree> tree = RegFileFormat::parse(bytes, &error);
    ASSERT_TRUE(tree) << error.toStdString();
    const QString key = kMainKey + u16(u"\\Größe");
    EXPECT_EQ(tree->subkeys(kMainKey), QStringList{u16(u"Größe")});
    EXPECT_EQ(tree->value(key, u16(u"Aktion")), RegValue::fromDword(0x1F));
    EXPECT_EQ(tree->value(key, u16(u"Text")), RegValue::sz(u16(u"HI")));
    // Exactly one terminating zero belongs to the format.
    EXPECT_EQ(tree->value(key, u16(u"Pfad")), RegValue::expandSz(u16(u"%A%") + QChar(0)));
    EXPECT_EQ(tree->value(key, u16(u"Lang")), (RegValue{REG_BINARY, {}, 0, QByteArray("\x01\x02\x03\x04\xff")}));
    EXPECT_EQ(tree->value(key, u16(u"Vier")), RegValue::fromDword(0x12345678));
    EXPECT_EQ(tree->value(key, u16(u"März")), RegValue::sz(u16(u"€ „ü“ \u0081")));
    EXPECT_EQ(tree->value(key, u16(u"Ansi")), RegValue::expandSz(u16(u"Ä")));
    EXPECT_EQ(tree->value(key, u16(u"Utf8")), RegValue::sz(u16(u"ä")));
    EXPECT_EQ(tree->value(key, u16(u"Groß")), RegValue::sz(u16(u"Groß")));
}

TEST(RegFileFormat, RejectsWhatIsNotSuchAFile)
{
    const QByteArray head = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kelvaro]\n";
    const QByteArray cases[] = {
        "",
        "\xEF\xBB\xBF",
        "Windows Registry Editor Version 5.00\n",
        "\nREGEDIT4\n",
        "REGEDIT4\n\"a\"=\"b\"\n",                      // value before any key
        "REGEDIT4\n\n[-HKEY_CURRENT_USER\\Software]\n", // deleting a key
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n",
        "REGEDIT4\n\n[HKCU\\Software]\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USERX]\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER" + QByteArray("\\k").repeated(RegFileFormat::kMaxKeyDepth + 1) + "]\n",
        head + "Name=Tee\n",
        head + "\"a\" \"b\"\n",
        head + "\"a\"=\"\\n\"\n",
        head + "\"a\"=\"b\\\n",
        head + "\"a\"=\"b\n",
        head + "\"a=\"b\"\n",
        head + "\"a\"=\"b\"x\n",
        head + "\"a\"=-\n",
        head + "\"a\"=dword:000000001\n",
        head + "\"a\"=dword:\n",
        head + "\"a\"=dword:1g\n",
        head + "\"a\"=hex:0g\n",
        head + "\"a\"=hex:1,02\n",
        head + "\"a\"=hex:01,\n",
        head + "\"a\"=hex(zz):01\n",
        head + "\"a\"=hex(1:01\n",
        head + "\"a\"=hex 01\n",
        head + "\"a\"=hex(4):01,02,03\n",
        head + "\"a\"=hex:01,\\\n",
        head + "\"a\"=word:1\n",
    };
    for (const QByteArray& bytes : cases) {
        QString error;
        EXPECT_FALSE(RegFileFormat::parse(bytes, &error).has_value()) << bytes.toStdString();
        EXPECT_FALSE(error.isEmpty()) << bytes.toStdString();
    }
}

TEST(RegFileFormat, CanWriteRejectsWhatCannotBeReadBack)
{
    RegistryTree badValue;
    badValue.createKey(kMainKey);
    EXPECT_TRUE(RegFileFormat::canWrite(badValue));
    badValue.setValue(kMainKey, u16(u"a\nb"), RegValue::fromDword(1));
    QString error;
    EXPECT_FALSE(RegFileFormat::canWrite(badValue, &error));
    EXPECT_FALSE(error.isEmpty());

    RegistryTree badKey;
    badKey.createKey(kMainKey + u16(u"\\x]\n[HKEY_CURRENT_USER\\y"));
    EXPECT_FALSE(RegFileFormat::canWrite(badKey));

    RegistryTree deep;
    deep.createKey(u16(u"\\k").repeated(RegFileFormat::kMaxKeyDepth));
    EXPECT_TRUE(RegFileFormat::canWrite(deep));
    deep.createKey(u16(u"\\k").repeated(RegFileFormat::kMaxKeyDepth + 1));
    EXPECT_FALSE(RegFileFormat::canWrite(deep));
}

// Whatever the bytes, parsing ends without crashing, and whatever it accepts is written back so
// that it reads the same.
TEST(RegFileFormat, SurvivesRandomAndMutatedInput)
{
    const QByteArray valid = RegFileFormat::write(sampleTree());
    int accepted = 0;
    auto check = [&](const QByteArray& bytes) {
        const std::optional<RegistryTree> parsed = RegFileFormat::parse(bytes);
        if (!parsed)
            return;
        ++accepted;
        ASSERT_TRUE(RegFileFormat::canWrite(*parsed));
        const std::optional<RegistryTree> again = RegFileFormat::parse(RegFileFormat::write(*parsed));
        ASSERT_TRUE(again && *again == *parsed) << bytes.toStdString();
    };

    for (qsizetype length = 0; length <= valid.size(); ++length)
        check(valid.left(length));

    std::mt19937 random(20260101);
    auto pick = [&](qsizetype below) {
        return static_cast<int>(random() % static_cast<unsigned>(below));
    };
    static constexpr char special[] = "\"\\[]@=:,;-()\n\r\t \x00\xc3\xff"
                                      "0aFhexdword";
    auto randomByte = [&] {
        return pick(2) ? special[pick(sizeof special - 1)] : static_cast<char>(pick(256));
    };
    for (int round = 0; round < 4000; ++round) {
        QByteArray bytes = valid;
        for (int edits = 1 + pick(4); edits > 0; --edits) {
            const int pos = pick(bytes.size());
            switch (pick(3)) {
            case 0:
                bytes.insert(pos, randomByte());
                break;
            case 1:
                bytes[pos] = randomByte();
                break;
            default:
                bytes.remove(pos, 1 + pick(8));
                break;
            }
        }
        check(bytes);
    }
    for (int round = 0; round < 1000; ++round) {
        QByteArray bytes = round % 2 ? QByteArray("REGEDIT4\n") : QByteArray();
        for (int n = pick(200); n > 0; --n)
            bytes += randomByte();
        check(bytes);
    }
    // Many mutated files stay valid, so the write-back check does see real input.
    EXPECT_GT(accepted, 100);
}

} // namespace
