#pragma once

#include "widgets/FileDialogs.h"

namespace kelvaro {

/** The dialogs of the desktop through QFileDialog. */
class QtFileDialogs : public FileDialogs
{
public:
    QString openFileName(QWidget* parent, const QString& folder, const QString& filters) override;
    QString saveFileName(QWidget* parent, const QString& folder, const QString& filters,
                         const QString& defaultSuffix) override;
};

} // namespace kelvaro
