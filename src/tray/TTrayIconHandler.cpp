#include "tray/TTrayIconHandler.h"

#include "tray/NotifyIconData.h"
#include "tray/TTrayIcon.h"

#include <vector>

namespace kelvaro {

namespace {

std::weak_ptr<TTrayIconHandler>& current()
{
    static std::weak_ptr<TTrayIconHandler> handler;
    return handler;
}

} // namespace

std::shared_ptr<TTrayIconHandler> TTrayIconHandler::acquire()
{
    std::shared_ptr<TTrayIconHandler> handler = current().lock();
    if (!handler) {
        handler.reset(new TTrayIconHandler);
        current() = handler;
    }
    return handler;
}

long TTrayIconHandler::referenceCount()
{
    return current().use_count();
}

TTrayIconHandler::TTrayIconHandler()
{
    // Every handler gets a fresh handle, so records of an earlier one no longer reach anything.
    static quint32 lastWindow = 0;
    m_window = ++lastWindow;
}

quint32 TTrayIconHandler::add(TTrayIcon* icon)
{
    static quint32 lastId = 0;
    const quint32 id = ++lastId;
    m_icons.emplace(id, icon);
    return id;
}

void TTrayIconHandler::remove(quint32 id)
{
    m_icons.erase(id);
}

TTrayIcon* TTrayIconHandler::find(quint32 id) const
{
    const auto it = m_icons.find(id);
    return it == m_icons.end() ? nullptr : it->second;
}

void TTrayIconHandler::deliver(quint32 window, quint32 message, quint32 id, quint32 code)
{
    const std::shared_ptr<TTrayIconHandler> handler = current().lock();
    if (!handler || handler->m_window != window || message != NotifyIconData::CallbackMessage)
        return;
    if (TTrayIcon* icon = handler->find(id))
        icon->handleCallback(code);
}

void TTrayIconHandler::notificationAreaRestarted()
{
    const std::shared_ptr<TTrayIconHandler> handler = current().lock();
    if (!handler)
        return;
    std::vector<quint32> ids;
    ids.reserve(handler->m_icons.size());
    for (const auto& entry : handler->m_icons)
        ids.push_back(entry.first);
    // Looked up one by one: a component may go away while another one is being told.
    for (const quint32 id : ids)
        if (TTrayIcon* icon = handler->find(id))
            icon->notificationAreaRestarted();
}

} // namespace kelvaro
