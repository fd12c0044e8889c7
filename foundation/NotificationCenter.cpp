#include "NotificationCenter.h"

#include <algorithm>

NotificationCenter& NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

NotificationCenter::Token NotificationCenter::addObserver(const std::string& name, Handler handler, const void* sender)
{
    const Token token = m_next++;
    m_observers.push_back({token, name, sender, std::make_shared<Handler>(std::move(handler))});
    return token;
}

void NotificationCenter::removeObserver(Token token)
{
    std::erase_if(m_observers, [token](const Observer& o) { return o.token == token; });
}

void NotificationCenter::post(const std::string& name, const void* sender, Value userInfo)
{
    const Notification notification{name, sender, std::move(userInfo)};
    // Handlers may add or remove observers: walk a snapshot, and skip those removed meanwhile.
    const std::vector<Observer> snapshot = m_observers;
    for (const Observer& observer : snapshot) {
        if (!observer.name.empty() && observer.name != name)
            continue;
        if (observer.sender && observer.sender != sender)
            continue;
        const bool stillObserving = std::any_of(m_observers.begin(), m_observers.end(),
            [&](const Observer& o) { return o.token == observer.token; });
        if (stillObserving && *observer.handler)
            (*observer.handler)(notification);
    }
}
