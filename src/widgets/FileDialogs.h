#pragma once

#include <QString>

class QWidget;

namespace kelvaro {

/** The open-file and save-file dialogs; tests replace them with scripted answers. */
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    /** The chosen file, or an empty text when the user cancels. `filters` uses Qt's
     *  "Name (*.ext);;Name (*.ext)" form; the first filter is selected. */
    virtual QString openFileName(QWidget* parent, const QString& folder, const QString& filters) = 0;
    /** The chosen file name (with `defaultSuffix` added when the user typed none), or an empty text. */
    virtual QString saveFileName(QWidget* parent, const QString& folder, const QString& filters,
                                 const QString& defaultSuffix) = 0;
};

} // namespace kelvaro
