#pragma once

#include <QString>

#include <stdexcept>

namespace kelvaro {

/** An error that ends the current event handler; the general error handler shows its text. */
class AppError : public std::runtime_error
{
public:
    explicit AppError(const QString& message) : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

} // namespace kelvaro
