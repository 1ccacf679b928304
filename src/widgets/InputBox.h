#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace kelvaro {

/** The modal box that asks for one line of text; tests replace it with scripted answers. */
class InputBox
{
public:
    virtual ~InputBox() = default;
    /** Asks with `prompt` in a box captioned `caption` with OK and Cancel; the edit field starts with
     *  `text`. Returns the text as entered, or nothing when the user cancels. */
    virtual std::optional<QString> ask(QWidget* parent, const QString& caption, const QString& prompt,
                                       const QString& text) = 0;
};

} // namespace kelvaro
