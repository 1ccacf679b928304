#include "resources/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <cstring>
#include <mutex>

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

/**
 * Qt's own texts in the language (the buttons of its dialogs, the menu of a text field, the names of
 * keys). Most runs never show one, so the file is read when Qt first asks for a text of its own, not
 * at start; the program's texts are never looked up in it.
 */
class QtTexts : public QTranslator
{
public:
    QtTexts(const QLocale& locale, QObject* parent) : QTranslator(parent), m_locale(locale) {}

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override
    {
        // The question for the direction of the language comes with every start: both languages
        // read left to right, which is the answer without a translation.
        if (!isQtContext(context) || std::strcmp(sourceText, "QT_LAYOUT_DIRECTION") == 0)
            return {};
        // Qt may ask from any thread.
        std::call_once(m_loadOnce, [this] {
            m_loaded = m_file.load(m_locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        });
        return m_loaded ? m_file.translate(context, sourceText, disambiguation, n) : QString();
    }

    bool isEmpty() const override { return false; }

private:
    /** Qt's classes, and the few other names its texts go by. */
    static bool isQtContext(const char* context)
    {
        if (!context)
            return false;
        if (context[0] == 'Q' || context[0] == 'q')
            return true;
        for (const char* other :
             {"CloseButton", "MAC_APPLICATION_MENU", "Print Device Input Slot", "Print Device Output Bin"}) {
            if (std::strcmp(context, other) == 0)
                return true;
        }
        return false;
    }

    QLocale m_locale;
    mutable std::once_flag m_loadOnce;
    mutable QTranslator m_file;
    mutable bool m_loaded = false;
};

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
    g_qtTranslator = new QtTexts(locale, QCoreApplication::instance());
    QCoreApplication::installTranslator(g_qtTranslator);
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
