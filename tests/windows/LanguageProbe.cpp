// Prints the language the program chooses for the desktop's locale settings in its environment:
// "de" or "en". The choice test runs it with one environment after the other, since Qt reads the
// locale settings only once in a process.
#include "resources/Language.h"

#include <QCoreApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const kelvaro::Language language = kelvaro::languageFor(QLocale::system().uiLanguages());
    std::puts(language == kelvaro::Language::English ? "en" : "de");
    return 0;
}
