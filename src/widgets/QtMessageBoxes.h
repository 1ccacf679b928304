#pragma once

#include "core/MessageBoxes.h"

namespace kelvaro {

/** Message boxes as QMessageBox, texts always shown as plain text. */
class QtMessageBoxes : public MessageBoxes
{
public:
    void show(Kind kind, const QString& text) override;
    bool askYesNo(const QString& text) override;
    void showError(const QString& caption, const QString& text) override;

    /** The text as it is displayed: the line breaks CR LF and LF CR (and a lone CR) become one break. */
    static QString displayText(const QString& text);
};

} // namespace kelvaro
