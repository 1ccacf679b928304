#pragma once

#include <QString>

namespace kelvaro {

/**
 * Every message box of the program goes through this seam, so tests can answer them without
 * a modal loop. Boxes with one "OK" button carry the fixed caption of their kind.
 */
class MessageBoxes
{
public:
    enum class Kind { Warning, Error, Information };

    virtual ~MessageBoxes() = default;

    /** A modal box of the kind with one "OK" button, captioned "Warning", "Error" or "Information". */
    virtual void show(Kind kind, const QString& text) = 0;
    /** The information box with the buttons Yes and No; true when the answer is Yes. */
    virtual bool askYesNo(const QString& text) = 0;
    /** An error box with its own caption and one "OK" button. */
    virtual void showError(const QString& caption, const QString& text) = 0;

    void warning(const QString& text) { show(Kind::Warning, text); }
    void error(const QString& text) { show(Kind::Error, text); }
    void information(const QString& text) { show(Kind::Information, text); }

    static QString captionOf(Kind kind);
};

} // namespace kelvaro
