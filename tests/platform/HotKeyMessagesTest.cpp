#include "platform/x11/hotkeys/HotKeyMessages.h"

#include <gtest/gtest.h>

namespace {

using Request = HotKeyMessages::Request;
using Reply = HotKeyMessages::Reply;

} // namespace

TEST(HotKeyMessages, MessagesArriveWholeHoweverTheBytesAreSplit)
{
    const std::string asks = HotKeyMessages::encode(HotKeyMessages::Ask {Request::Grab, 54, {0x40, 0x42, 0x50, 0x52}})
        + HotKeyMessages::encode(HotKeyMessages::Ask {Request::Release, 0, {}});
    HotKeyMessages helperEnd;
    for (std::size_t i = 0; i + 1 < asks.size(); ++i) {
        helperEnd.append(&asks[i], 1);
        if (i + 1 < asks.size() / 2) {
            EXPECT_FALSE(helperEnd.nextAsk()) << "after byte " << i;
        }
    }
    const auto grab = helperEnd.nextAsk();
    ASSERT_TRUE(grab);
    EXPECT_EQ(grab->request, Request::Grab);
    EXPECT_EQ(grab->keycode, 54);
    EXPECT_EQ(grab->masks, (std::vector<std::uint16_t> {0x40, 0x42, 0x50, 0x52}));
    EXPECT_FALSE(helperEnd.nextAsk());
    helperEnd.append(&asks.back(), 1);
    const auto release = helperEnd.nextAsk();
    ASSERT_TRUE(release);
    EXPECT_EQ(release->request, Request::Release);
    EXPECT_TRUE(release->masks.empty());

    const std::string tells = HotKeyMessages::encode(HotKeyMessages::Tell {Reply::Press, 54, 0x8040})
        + HotKeyMessages::encode(HotKeyMessages::Tell {Reply::KeyRelease, 54, 0});
    HotKeyMessages programEnd;
    programEnd.append(tells.data(), tells.size());
    const auto press = programEnd.nextTell();
    const auto keyRelease = programEnd.nextTell();
    ASSERT_TRUE(press && keyRelease);
    EXPECT_EQ(press->reply, Reply::Press);
    EXPECT_EQ(press->state, 0x8040);
    EXPECT_EQ(keyRelease->reply, Reply::KeyRelease);
    EXPECT_FALSE(programEnd.corrupt());
}

TEST(HotKeyMessages, AMessageThatCannotBeReadStopsTheReading)
{
    // An unknown request, and a grab with more masks than a message holds.
    std::string unknown = HotKeyMessages::encode(HotKeyMessages::Ask {Request::Release, 0, {}});
    unknown[0] = 9;
    std::string tooMany = HotKeyMessages::encode(HotKeyMessages::Ask {Request::Grab, 54, {}});
    tooMany[2] = static_cast<char>(HotKeyMessages::kMaxMasks + 1);
    for (const std::string& bad : {unknown, tooMany}) {
        const std::string bytes = bad + HotKeyMessages::encode(HotKeyMessages::Ask {Request::Release, 0, {}});
        HotKeyMessages messages;
        messages.append(bytes.data(), bytes.size());
        EXPECT_FALSE(messages.nextAsk());
        EXPECT_TRUE(messages.corrupt());
        EXPECT_FALSE(messages.nextAsk());
    }
    const std::string zero(4, '\0');
    HotKeyMessages tells;
    tells.append(zero.data(), zero.size());
    EXPECT_FALSE(tells.nextTell());
    EXPECT_TRUE(tells.corrupt());
}
