#include "foundation/NotificationCenter.h"

#include <gtest/gtest.h>

namespace {

using Notification = NotificationCenter::Notification;

TEST(NotificationCenter, DeliversByNameAndSenderInAddingOrder)
{
    NotificationCenter center;
    const int senderA = 0;
    const int senderB = 0;
    std::vector<std::string> calls;
    center.addObserver("changed", [&](const Notification& n) { calls.push_back("any:" + n.userInfo.description()); });
    center.addObserver("changed", [&](const Notification&) { calls.push_back("fromA"); }, &senderA);
    center.addObserver("", [&](const Notification& n) { calls.push_back("all:" + n.name); });
    center.addObserver("other", [&](const Notification&) { calls.push_back("other"); });

    center.post("changed", &senderA, Value("info"));
    EXPECT_EQ(calls, (std::vector<std::string>{"any:info", "fromA", "all:changed"}));
    calls.clear();
    center.post("changed", &senderB);
    EXPECT_EQ(calls, (std::vector<std::string>{"any:(null)", "all:changed"}));
}

TEST(NotificationCenter, RemovedObserversAreNotCalled)
{
    NotificationCenter center;
    int calls = 0;
    const auto token = center.addObserver("n", [&](const Notification&) { ++calls; });
    center.post("n");
    center.removeObserver(token);
    center.post("n");
    EXPECT_EQ(calls, 1);
}

TEST(NotificationCenter, ObserversMayChangeObserversWhilePosting)
{
    NotificationCenter center;
    std::vector<std::string> calls;
    NotificationCenter::Token second = 0;
    center.addObserver("n", [&](const Notification&) {
        calls.push_back("first");
        center.removeObserver(second);
        center.addObserver("n", [&](const Notification&) { calls.push_back("added"); });
    });
    second = center.addObserver("n", [&](const Notification&) { calls.push_back("second"); });
    NotificationCenter::Token self = 0;
    self = center.addObserver("n", [&](const Notification&) {
        calls.push_back("self-removing");
        center.removeObserver(self);
    });

    center.post("n");
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "self-removing"}));
    calls.clear();
    center.post("n");
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "added"}));
}

TEST(NotificationCenter, DefaultCenterIsOneProcessWideCenter)
{
    int calls = 0;
    const auto token = NotificationCenter::defaultCenter().addObserver("test.default", [&](const Notification&) { ++calls; });
    NotificationCenter::defaultCenter().post("test.default");
    NotificationCenter::defaultCenter().removeObserver(token);
    NotificationCenter::defaultCenter().post("test.default");
    EXPECT_EQ(calls, 1);
}

} // namespace
