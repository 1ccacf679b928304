#pragma once

#include "widgets/InputBox.h"

namespace kelvaro {

/** The input box through QInputDialog. */
class QtInputBox : public InputBox
{
public:
    std::optional<QString> ask(QWidget* parent, const QString& caption, const QString& prompt,
                               const QString& text) override;
};

} // namespace kelvaro
