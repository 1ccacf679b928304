#include "widgets/Controls.h"

#include "widgets/FormLook.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

namespace kelvaro {

QLabel* placeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    return label;
}

QPushButton* placeButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

void setUpFixedDialog(QDialog& dialog, const char* name, const QString& caption, QSize clientSize)
{
    dialog.setObjectName(QLatin1String(name));
    dialog.setWindowTitle(caption);
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
    dialog.setFont(defaultFormFont());
    dialog.setFixedSize(clientSize);
}

} // namespace kelvaro
