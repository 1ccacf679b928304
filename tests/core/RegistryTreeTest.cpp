#include "core/Registry.h"

#include <gtest/gtest.h>

using namespace kelvaro;

namespace {

TEST(RegistryTree, CreatingAKeyCreatesItsParents)
{
    RegistryTree tree;
    EXPECT_FALSE(tree.keyExists(QStringLiteral("Software\\Kelvaro")));
    tree.createKey(QStringLiteral("\\Software\\Kelvaro\\001"));
    EXPECT_TRUE(tree.keyExists(QStringLiteral("Software")));
    EXPECT_TRUE(tree.keyExists(QStringLiteral("software\\KELVARO")));
    EXPECT_TRUE(tree.keyExists(QStringLiteral("Software\\Kelvaro\\001\\")));
}

TEST(RegistryTree, SubkeysEnumerateAscendingIgnoringCase)
{
    RegistryTree tree;
    for (const char* name : {"b", "100", "1000", "A", "101", "002", "a2"})
        tree.createKey(kMainKey + u'\\' + QString::fromLatin1(name));
    EXPECT_EQ(tree.subkeys(kMainKey),
              (QStringList{QStringLiteral("002"), QStringLiteral("100"), QStringLiteral("1000"), QStringLiteral("101"),
                           QStringLiteral("A"), QStringLiteral("a2"), QStringLiteral("b")}));
}

TEST(RegistryTree, ValuesKeepTheirPlaceWhenOverwritten)
{
    RegistryTree tree;
    tree.createKey(kMainKey);
    ASSERT_TRUE(tree.setValue(kMainKey, QStringLiteral("Name"), RegValue::sz(QStringLiteral("a"))));
    ASSERT_TRUE(tree.setValue(kMainKey, QStringLiteral("Aktion"), RegValue::fromDword(1)));
    ASSERT_TRUE(tree.setValue(kMainKey, QStringLiteral("NAME"), RegValue::fromDword(7)));
    EXPECT_EQ(tree.valueNames(kMainKey), (QStringList{QStringLiteral("Name"), QStringLiteral("Aktion")}));
    EXPECT_EQ(tree.value(kMainKey, QStringLiteral("name")), RegValue::fromDword(7));
    EXPECT_FALSE(tree.setValue(QStringLiteral("Software\\Missing"), QStringLiteral("x"), RegValue::fromDword(1)));
}

TEST(RegistryTree, DeletingAKeyRemovesEverythingBelowIt)
{
    RegistryTree tree;
    tree.createKey(kMainKey + QStringLiteral("\\001\\deep"));
    tree.setValue(kMainKey, QStringLiteral("Name"), RegValue::sz(QStringLiteral("x")));
    RegistryTree copy = tree;
    EXPECT_TRUE(tree.deleteKey(kMainKey));
    EXPECT_FALSE(tree.keyExists(kMainKey + QStringLiteral("\\001")));
    EXPECT_TRUE(tree.keyExists(QStringLiteral("Software")));
    EXPECT_FALSE(tree.deleteKey(kMainKey));
    EXPECT_FALSE(tree.deleteKey(QString()));
    // The copy is independent of the original.
    EXPECT_TRUE(copy.keyExists(kMainKey + QStringLiteral("\\001\\deep")));
    EXPECT_FALSE(copy == tree);
}

} // namespace
