#pragma once

#include "Value.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Named notifications delivered synchronously, in the order observers were added.
class NotificationCenter {
public:
    struct Notification {
        std::string name;
        const void* sender = nullptr;
        Value userInfo;
    };
    using Handler = std::function<void(const Notification&)>;
    using Token = unsigned long;

    static NotificationCenter& defaultCenter();

    // Observes one name (an empty name observes all), optionally from one sender only.
    Token addObserver(const std::string& name, Handler handler, const void* sender = nullptr);
    void removeObserver(Token token);
    void post(const std::string& name, const void* sender = nullptr, Value userInfo = {});

private:
    struct Observer {
        Token token;
        std::string name;
        const void* sender;
        std::shared_ptr<Handler> handler;
    };
    std::vector<Observer> m_observers;
    Token m_next = 1;
};
