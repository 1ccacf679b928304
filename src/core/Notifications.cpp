#include "core/Notifications.h"

namespace kelvaro {

namespace {

class NoNotifications : public Notifications
{
public:
    bool available() override { return false; }
    Id show(const Notification&, ActionHandler, FailureHandler, ShownHandler) override { return 0; }
    void update(Id, const Notification&) override {}
    void withdraw(Id) override {}
};

} // namespace

Notifications& Notifications::none()
{
    static NoNotifications notifications;
    return notifications;
}

} // namespace kelvaro
