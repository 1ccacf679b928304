#include "widgets/GeneralErrorHandler.h"

#include "core/AppError.h"
#include "core/MessageBoxes.h"

#include <exception>

namespace kelvaro {

GeneralErrorHandler::GeneralErrorHandler(MessageBoxes& boxes) : m_boxes(boxes) {}

void GeneralErrorHandler::guard(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const AppError& e) {
        show(e.message());
    } catch (const std::exception& e) {
        show(QString::fromLocal8Bit(e.what()));
    }
}

void GeneralErrorHandler::show(const QString& message)
{
    m_boxes.showError(QStringLiteral("Kelvaro"), withPeriod(message));
}

QString GeneralErrorHandler::withPeriod(const QString& message)
{
    if (!message.isEmpty() && message.back() > u'.')
        return message + u'.';
    return message;
}

} // namespace kelvaro
