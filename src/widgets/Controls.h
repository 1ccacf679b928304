#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace kelvaro {

/** A label with plain text (never rich text) at its fixed place, named `name`. */
QLabel* placeLabel(QWidget* parent, const char* name, const QString& text, const QRect& geometry);
/** A push button with its caption at its fixed place, named `name`. */
QPushButton* placeButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry);

/** Sets up a dialog of fixed size with only a close box: its name, caption, the windows' font and
 *  its client size. */
void setUpFixedDialog(QDialog& dialog, const char* name, const QString& caption, QSize clientSize);

} // namespace kelvaro
