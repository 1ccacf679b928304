#include "resources/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace kelvaro {

namespace {

Language g_language = Language::German;
// Owned by the application object, so they go with it; useLanguage() replaces them.
QPointer<QTranslator> g_programTranslator;
QPointer<QTranslator> g_qtTranslator;

void uninstall(QPointer<QTranslator>& translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

/** A translator installed into the application when `load` finds its file; nothing otherwise. */
template <typename Load>
QTranslator* install(Load load)
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!load(*translator) || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace

Language languageFor(const QStringList& uiLanguages)
{
    for (const QString& name : uiLanguages) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::C || language == QLocale::AnyLanguage)
            continue; // "C", "POSIX": no language
        return language == QLocale::German ? Language::German : Language::English;
    }
    return Language::German;
}

void useLanguage(Language language)
{
    uninstall(g_programTranslator);
    uninstall(g_qtTranslator);
    g_language = language;

    const QLocale locale = language == Language::English ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                         : QLocale(QLocale::German, QLocale::Germany);
    g_qtTranslator = install([&locale](QTranslator& translator) {
        return translator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    });
    // German is the language of the sources: its file holds only the singular and plural forms of
    // the texts that count something ("1 Sekunde", "2 Sekunden").
    const QString file =
        language == Language::English ? QStringLiteral(":/i18n/kelvaro_en.qm") : QStringLiteral(":/i18n/kelvaro_de.qm");
    g_programTranslator = install([&file](QTranslator& translator) { return translator.load(file); });
}

Language currentLanguage()
{
    return g_language;
}

} // namespace kelvaro
