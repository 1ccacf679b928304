#include "widgets/QtInputBox.h"

#include <QInputDialog>

namespace kelvaro {

std::optional<QString> QtInputBox::ask(QWidget* parent, const QString& caption, const QString& prompt,
                                       const QString& text)
{
    QInputDialog dialog(parent);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(text);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

} // namespace kelvaro
