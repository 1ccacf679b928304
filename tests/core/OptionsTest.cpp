#include "core/AppError.h"
#include "core/TEinst.h"
#include "mock/MemoryRegistryStore.h"
#include "mock/QtPrinters.h"

#include <gtest/gtest.h>

using namespace kelvaro;

namespace {

const QString kPreset7 = QStringLiteral("Software\\Kelvaro\\007");

TROptionen sample()
{
    TROptionen o;
    o.Name = QStringLiteral("Tee \"grün\" \\ äöü");
    o.Aktion = 2;
    o.ZeitMode = 1;
    o.SofortStart = true;
    o.ClosePgm = false;
    o.Minimize = true;
    o.Force = true;
    o.SoundMode = 2;
    o.AnzBeeps = -5;
    o.SoundFile = QStringLiteral("/home/anna/Töne/gong.wav");
    o.Nachricht = QStringLiteral("Zeile 1\r\nZeile 2");
    o.Zeit_Stunden = 23;
    o.Zeit_Minuten = 59;
    o.Zeit_Sekunden = 1;
    o.Vorwarnzeit = 15;
    o.Programm = QStringLiteral("wget");
    o.Leerlauf_CPU = 0;
    o.Leerlauf_Netz = 1000000;
    return o;
}

TEST(TEinst, FreshObjectHasTheConstructorDefaults)
{
    TEinst einst;
    TROptionen expected;
    expected.Name = QStringLiteral("Optionen");
    expected.SoundMode = 1;
    expected.AnzBeeps = 3;
    EXPECT_EQ(einst.options(), expected);
    einst.SetOptions(sample());
    einst.SetDefaults();
    EXPECT_EQ(einst.options(), expected);
}

struct RangeCase
{
    bool (TEinst::*setter)(qint32);
    qint32 value;
    bool accepted;
};

class TimeSetters : public ::testing::TestWithParam<RangeCase>
{};

TEST_P(TimeSetters, RefuseValuesOutsideTheirRangeAndKeepTheOldOne)
{
    const RangeCase& c = GetParam();
    TEinst einst;
    ASSERT_TRUE((einst.*c.setter)(7));
    EXPECT_EQ((einst.*c.setter)(c.value), c.accepted);
    qint32 h = 0, m = 0, s = 0;
    einst.GetZeit(h, m, s);
    EXPECT_EQ(h + m + s, c.accepted ? c.value : 7);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, TimeSetters,
    ::testing::Values(RangeCase{&TEinst::SetStunden, 23, true}, RangeCase{&TEinst::SetStunden, 24, false},
                      RangeCase{&TEinst::SetStunden, -1, false}, RangeCase{&TEinst::SetStunden, 0, true},
                      RangeCase{&TEinst::SetMinuten, 59, true}, RangeCase{&TEinst::SetMinuten, 60, false},
                      RangeCase{&TEinst::SetSekunden, 59, true}, RangeCase{&TEinst::SetSekunden, 60, false},
                      RangeCase{&TEinst::SetSekunden, INT32_MIN, false}));

TEST(TEinst, SetOptionsTakesTimesWithoutRangeCheck)
{
    TROptionen o = sample();
    o.Zeit_Stunden = 99;
    TEinst einst;
    einst.SetOptions(o);
    TROptionen back;
    einst.GetOptions(back);
    EXPECT_EQ(back.Zeit_Stunden, 99);
}

struct KeyCase
{
    int number;
    const char* path;
};

class KeyPaths : public ::testing::TestWithParam<KeyCase>
{};

TEST_P(KeyPaths, PadToThreeDigits)
{
    EXPECT_EQ(TEinst::KeyPath(GetParam().number).toStdString(), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(Numbers, KeyPaths,
                         ::testing::Values(KeyCase{0, "Software\\Kelvaro"}, KeyCase{-3, "Software\\Kelvaro"},
                                           KeyCase{1, "Software\\Kelvaro\\001"}, KeyCase{7, "Software\\Kelvaro\\007"},
                                           KeyCase{12, "Software\\Kelvaro\\012"},
                                           KeyCase{123, "Software\\Kelvaro\\123"},
                                           KeyCase{1234, "Software\\Kelvaro\\1234"}));

TEST(Registry, SaveThenLoadRoundTripsEveryField)
{
    test::MemoryRegistryStore store;
    TEinst saved;
    saved.SetOptions(sample());
    saved.SaveToRegistry(store, 7);
    EXPECT_TRUE(store.tree.keyExists(kMainKey)); // created together with the preset key

    TEinst loaded;
    loaded.LoadFromRegistry(store, 7);
    EXPECT_EQ(loaded.options(), sample());
}

TEST(Registry, SaveWritesEveryValueInOrderWithTheirTypes)
{
    test::MemoryRegistryStore store;
    store.tree.createKey(kMainKey);
    store.tree.setValue(kMainKey, QStringLiteral("Autostart"), RegValue::fromDword(1));
    TEinst().SaveToRegistry(store, 0);
    TEinst().SaveToRegistry(store, 0);
    EXPECT_EQ(store.tree.valueNames(kMainKey),
              QStringList({QStringLiteral("Autostart"), QStringLiteral("Name"), QStringLiteral("Aktion"),
                           QStringLiteral("ZeitMode"), QStringLiteral("Zeit_Stunden"), QStringLiteral("Zeit_Minuten"),
                           QStringLiteral("Zeit_Sekunden"), QStringLiteral("SofortStart"), QStringLiteral("ClosePgm"),
                           QStringLiteral("Minimize"), QStringLiteral("Force"), QStringLiteral("SoundMode"),
                           QStringLiteral("AnzBeeps"), QStringLiteral("SoundFile"), QStringLiteral("Nachricht"),
                           QStringLiteral("Vorwarnzeit"), QStringLiteral("Programm"), QStringLiteral("Leerlauf_CPU"),
                           QStringLiteral("Leerlauf_Netz")}));
    EXPECT_EQ(store.tree.value(kMainKey, QStringLiteral("Name")), RegValue::sz(QStringLiteral("Optionen")));
    EXPECT_EQ(store.tree.value(kMainKey, QStringLiteral("Vorwarnzeit")), RegValue::fromDword(60));
    EXPECT_EQ(store.tree.value(kMainKey, QStringLiteral("AnzBeeps")), RegValue::fromDword(3));
    EXPECT_EQ(store.tree.value(kMainKey, QStringLiteral("SoundFile")), RegValue::sz(QString()));
    EXPECT_EQ(store.updates, 2); // one step per save
}

TEST(Registry, MissingKeyLeavesTheObjectUnchanged)
{
    test::MemoryRegistryStore store;
    TEinst einst;
    einst.SetOptions(sample());
    einst.LoadFromRegistry(store, 0);
    einst.LoadFromRegistry(store, 3);
    EXPECT_EQ(einst.options(), sample());
}

TEST(Registry, MissingValuesGetTheirFallbacksNotTheConstructorDefaults)
{
    test::MemoryRegistryStore store;
    store.tree.createKey(kPreset7);
    store.tree.setValue(kPreset7, QStringLiteral("Aktion"), RegValue::fromDword(1));
    TEinst einst;
    einst.SetOptions(sample());
    einst.LoadFromRegistry(store, 7);

    TROptionen expected;
    expected.Aktion = 1;
    expected.AnzBeeps = 3;
    EXPECT_EQ(einst.options(), expected);
}

TEST(Registry, WrongTypesFailExceptExpandableTexts)
{
    test::MemoryRegistryStore store;
    store.tree.createKey(kMainKey);
    store.tree.setValue(kMainKey, QStringLiteral("Name"), RegValue::expandSz(QStringLiteral("%HOME%/x")));
    store.tree.setValue(kMainKey, QStringLiteral("Aktion"), RegValue::sz(QStringLiteral("1")));
    store.tree.setValue(kMainKey, QStringLiteral("AnzBeeps"), RegValue::sz(QStringLiteral("9")));
    store.tree.setValue(kMainKey, QStringLiteral("Force"), RegValue{REG_BINARY, {}, 0, QByteArray("\x01", 1)});
    store.tree.setValue(kMainKey, QStringLiteral("Nachricht"), RegValue::fromDword(5));
    TEinst einst;
    einst.SetOptions(sample());
    einst.LoadFromRegistry(store, 0);
    EXPECT_EQ(einst.GetName(), QStringLiteral("%HOME%/x")); // taken as stored, not expanded
    EXPECT_EQ(einst.GetAktion(), 0);
    EXPECT_EQ(einst.GetAnzBeeps(), 3);
    EXPECT_FALSE(einst.GetForce());
    EXPECT_EQ(einst.GetNachricht(), QString());
}

TEST(Registry, CodesKeepTheLowEightBitsAndFlagsAnyNonZero)
{
    test::MemoryRegistryStore store;
    store.tree.createKey(kMainKey);
    store.tree.setValue(kMainKey, QStringLiteral("Aktion"), RegValue::fromDword(260));
    store.tree.setValue(kMainKey, QStringLiteral("SoundMode"), RegValue::fromDword(0x1FF));
    store.tree.setValue(kMainKey, QStringLiteral("ClosePgm"), RegValue::fromDword(42));
    store.tree.setValue(kMainKey, QStringLiteral("AnzBeeps"), RegValue::fromDword(0xFFFFFFFF));
    TEinst einst;
    einst.LoadFromRegistry(store, 0);
    EXPECT_EQ(einst.GetAktion(), 4);
    EXPECT_EQ(einst.GetSoundMode(), 255);
    EXPECT_TRUE(einst.GetClosePgm());
    EXPECT_EQ(einst.GetAnzBeeps(), -1);
}

TEST(Registry, StoredTimesOutOfRangeKeepThePreviousValue)
{
    test::MemoryRegistryStore store;
    store.tree.createKey(kMainKey);
    store.tree.setValue(kMainKey, QStringLiteral("Zeit_Stunden"), RegValue::fromDword(24));
    store.tree.setValue(kMainKey, QStringLiteral("Zeit_Minuten"), RegValue::fromDword(60));
    store.tree.setValue(kMainKey, QStringLiteral("Zeit_Sekunden"), RegValue::fromDword(0xFFFFFFFF));
    TEinst einst;
    einst.SetStunden(5);
    einst.SetMinuten(6);
    einst.SetSekunden(7);
    einst.LoadFromRegistry(store, 0);
    qint32 h = 0, m = 0, s = 0;
    einst.GetZeit(h, m, s);
    EXPECT_EQ(h, 5);
    EXPECT_EQ(m, 6);
    EXPECT_EQ(s, 7);
}

/** A value that files written before it existed do not hold. */
struct LaterValueCase
{
    const char* name;
    qint32 (TEinst::*getter)() const;
    std::optional<RegValue> stored; // nothing: a file written before the value existed
    qint32 read;
};

class StoredLaterValue : public ::testing::TestWithParam<LaterValueCase>
{};

TEST_P(StoredLaterValue, ReadsAsStoredOrAsTheDefault)
{
    const LaterValueCase& c = GetParam();
    test::MemoryRegistryStore store;
    TEinst().SaveToRegistry(store, 2);
    store.tree.deleteValue(TEinst::KeyPath(2), QLatin1String(c.name));
    if (c.stored)
        store.tree.setValue(TEinst::KeyPath(2), QLatin1String(c.name), *c.stored);
    TEinst einst;
    einst.SetOptions(sample());
    einst.LoadFromRegistry(store, 2);
    EXPECT_EQ((einst.*c.getter)(), c.read);
}

const auto lead = &TEinst::GetVorwarnzeit;
const auto cpu = &TEinst::GetLeerlaufCpu;
const auto net = &TEinst::GetLeerlaufNetz;
INSTANTIATE_TEST_SUITE_P(
    Values, StoredLaterValue,
    ::testing::Values(LaterValueCase{"Vorwarnzeit", lead, std::nullopt, 60},
                      LaterValueCase{"Vorwarnzeit", lead, RegValue::fromDword(0), 0},
                      LaterValueCase{"Vorwarnzeit", lead, RegValue::fromDword(300), 300},
                      LaterValueCase{"Vorwarnzeit", lead, RegValue::fromDword(0x7FFFFFFF), 0x7FFFFFFF},
                      LaterValueCase{"Vorwarnzeit", lead, RegValue::fromDword(0xFFFFFFFF), 60},
                      LaterValueCase{"Vorwarnzeit", lead, RegValue::sz(QStringLiteral("30")), 60},
                      LaterValueCase{"Leerlauf_CPU", cpu, std::nullopt, 10},
                      LaterValueCase{"Leerlauf_CPU", cpu, RegValue::fromDword(0), 0},
                      LaterValueCase{"Leerlauf_CPU", cpu, RegValue::fromDword(100), 100},
                      LaterValueCase{"Leerlauf_CPU", cpu, RegValue::fromDword(101), 10},
                      LaterValueCase{"Leerlauf_Netz", net, std::nullopt, 50},
                      LaterValueCase{"Leerlauf_Netz", net, RegValue::fromDword(0), 0},
                      LaterValueCase{"Leerlauf_Netz", net, RegValue::fromDword(0x7FFFFFFF), 0x7FFFFFFF},
                      LaterValueCase{"Leerlauf_Netz", net, RegValue::fromDword(0xFFFFFFFF), 50},
                      LaterValueCase{"Leerlauf_Netz", net, RegValue::sz(QStringLiteral("5")), 50}));

TEST(Registry, FailedWriteIsReportedAndNamesTheValue)
{
    test::MemoryRegistryStore store;
    store.failWrites = true;
    try {
        TEinst().SaveToRegistry(store, 1);
        FAIL() << "a failed write must not pass silently";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("\"Name\"")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("Software\\Kelvaro\\001")));
    }
    EXPECT_TRUE(store.tree.isEmpty());
}

} // namespace
