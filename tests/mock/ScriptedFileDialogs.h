#pragma once

#include "widgets/FileDialogs.h"

#include <QStringList>

namespace kelvaro::test {

/** Answers file dialogs from a list (an empty answer is a cancel) and records what was asked. */
class ScriptedFileDialogs : public FileDialogs
{
public:
    QStringList answers;
    QStringList askedFilters;
    QStringList askedFolders;
    /** The default suffixes of the save dialogs asked. */
    QStringList askedSuffixes;

    QString openFileName(QWidget*, const QString& folder, const QString& filters) override
    {
        return answer(folder, filters);
    }
    QString saveFileName(QWidget*, const QString& folder, const QString& filters, const QString& suffix) override
    {
        askedSuffixes << suffix;
        return answer(folder, filters);
    }

private:
    QString answer(const QString& folder, const QString& filters)
    {
        askedFolders << folder;
        askedFilters << filters;
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

} // namespace kelvaro::test
