#include "widgets/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace kelvaro {

namespace {

QMessageBox::Icon iconOf(MessageBoxes::Kind kind)
{
    switch (kind) {
    case MessageBoxes::Kind::Warning:
        return QMessageBox::Warning;
    case MessageBoxes::Kind::Error:
        return QMessageBox::Critical;
    case MessageBoxes::Kind::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

int exec(QMessageBox::Icon icon, const QString& caption, const QString& text, QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption, QtMessageBoxes::displayText(text), buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

} // namespace

QString QtMessageBoxes::displayText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' || c == u'\n') {
            const QChar other = c == u'\r' ? u'\n' : u'\r';
            if (i + 1 < text.size() && text.at(i + 1) == other)
                ++i;
            out += u'\n';
        } else {
            out += c;
        }
    }
    return out;
}

void QtMessageBoxes::show(Kind kind, const QString& text)
{
    exec(iconOf(kind), captionOf(kind), text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtMessageBoxes::askYesNo(const QString& text)
{
    return exec(QMessageBox::Information, captionOf(Kind::Information), text, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes) == QMessageBox::Yes;
}

void QtMessageBoxes::showError(const QString& caption, const QString& text)
{
    exec(QMessageBox::Critical, caption, text, QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace kelvaro
