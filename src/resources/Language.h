#pragma once

#include <QStringList>

namespace kelvaro {

/** The languages the program speaks: German, its own, and English, a translation of it. */
enum class Language { German, English };

/**
 * The language for the desktop's list of preferred languages, most wanted first, as
 * QLocale::system().uiLanguages() reports it from LANGUAGE, LC_ALL, LC_MESSAGES and LANG: German
 * when the first language the list names is German (of any country), English when it is any other
 * language, and German when the list names no language at all ("C", "POSIX" or nothing set).
 */
Language languageFor(const QStringList& uiLanguages);

/**
 * Makes `language` the language of every text created from now on: for English the program's own
 * English translation (compiled in), and for either language Qt's translation of its standard
 * dialogs and buttons. Replaces what an earlier call installed. Call it once the application object
 * exists and before the first window is created.
 */
void useLanguage(Language language);

/** The language of the last useLanguage() call; German before the first. */
Language currentLanguage();

} // namespace kelvaro
