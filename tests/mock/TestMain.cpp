// Test entry: every test program runs with the offscreen platform, a private runtime folder and a
// private settings store, so no test can touch the user's display or settings.
#include "resources/Language.h"
#include "resources/Resources.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QTemporaryDir privateDir(QDir::tempPath() + QStringLiteral("/kelvaro-test-XXXXXX"));
    if (!privateDir.isValid())
        return 2;
    const QString runtimeDir = privateDir.filePath(QStringLiteral("runtime"));
    QDir().mkpath(runtimeDir);
    QFile::setPermissions(runtimeDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(privateDir.filePath(QStringLiteral("config"))));
    qputenv("XDG_DATA_HOME", QFile::encodeName(privateDir.filePath(QStringLiteral("data"))));
    qputenv("KELVARO_REGISTRY", QFile::encodeName(privateDir.filePath(QStringLiteral("registry.reg"))));

    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvaro"));
    kelvaro::initResources();
    // German, as the program on a German desktop: its singular and plural forms come from a translation.
    kelvaro::useLanguage(kelvaro::Language::German);
    return RUN_ALL_TESTS();
}
