#pragma once

#include <QString>

#include <functional>

namespace kelvaro {

class MessageBoxes;

/**
 * Shows an error that escapes an event handler: an error box captioned with the application's
 * title, "Kelvaro", and the handler's remaining steps are skipped; the program goes on.
 */
class GeneralErrorHandler
{
public:
    explicit GeneralErrorHandler(MessageBoxes& boxes);

    /** Runs `handler`; an AppError or other exception it throws is shown and swallowed. */
    void guard(const std::function<void()>& handler);
    /** The handler `method` of `object` as a slot that runs it guarded. */
    template <typename Object>
    std::function<void()> guarded(Object* object, void (Object::*method)())
    {
        return [this, object, method] {
            guard([object, method] { (object->*method)(); });
        };
    }
    void show(const QString& message);

    /** The message with "." appended unless it is empty or ends with "." or a character that sorts before it. */
    static QString withPeriod(const QString& message);

private:
    MessageBoxes& m_boxes;
};

} // namespace kelvaro
