// The program's language follows the desktop's locale settings.
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

namespace {

struct LanguageCase
{
    const char* name;
    /** The locale settings of the desktop, "NAME=value" each; nothing else is set. */
    std::vector<const char*> environment;
    const char* language;
};

class LanguageChoice : public ::testing::TestWithParam<LanguageCase>
{};

TEST_P(LanguageChoice, FollowsTheDesktop)
{
    const LanguageCase& c = GetParam();
    QProcessEnvironment environment;
    // The sanitizer build's settings; they do not touch the locale.
    for (const char* kept : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"}) {
        if (qEnvironmentVariableIsSet(kept))
            environment.insert(QLatin1String(kept), qEnvironmentVariable(kept));
    }
    for (const char* setting : c.environment) {
        const QStringList parts = QString::fromLatin1(setting).split(u'=');
        environment.insert(parts.at(0), parts.at(1));
    }
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(KELVARO_LANGUAGE_PROBE), {});
    ASSERT_TRUE(probe.waitForFinished(30'000)) << probe.errorString().toStdString();
    ASSERT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromLatin1(probe.readAllStandardOutput()).trimmed(), QLatin1String(c.language));
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, LanguageChoice,
    ::testing::Values(LanguageCase{"de_DE", {"LANG=de_DE.UTF-8"}, "de"},
                      LanguageCase{"de_AT", {"LANG=de_AT.UTF-8"}, "de"},
                      LanguageCase{"en_US", {"LANG=en_US.UTF-8"}, "en"},
                      LanguageCase{"fr_FR", {"LANG=fr_FR.UTF-8"}, "en"}, LanguageCase{"C", {"LANG=C"}, "de"},
                      LanguageCase{"POSIX", {"LANG=POSIX"}, "de"}, LanguageCase{"Nothing", {}, "de"},
                      // LANGUAGE lists the languages in order of preference; the first counts.
                      LanguageCase{"LanguageFrDe", {"LANGUAGE=fr:de", "LANG=de_DE.UTF-8"}, "en"},
                      LanguageCase{"LanguageDeChEn", {"LANGUAGE=de_CH:en", "LANG=en_US.UTF-8"}, "de"},
                      // LC_ALL comes before LC_MESSAGES, which comes before LANG.
                      LanguageCase{
                          "LcAllEn", {"LC_ALL=en_GB.UTF-8", "LC_MESSAGES=de_DE.UTF-8", "LANG=de_DE.UTF-8"}, "en"},
                      LanguageCase{"LcAllC", {"LC_ALL=C", "LANG=en_US.UTF-8"}, "de"},
                      LanguageCase{"LcMessagesEn", {"LC_MESSAGES=en_US.UTF-8", "LANG=de_DE.UTF-8"}, "en"}),
    [](const ::testing::TestParamInfo<LanguageCase>& row) { return std::string(row.param.name); });

} // namespace
