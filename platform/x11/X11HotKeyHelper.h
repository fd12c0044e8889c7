#pragma once

#include "platform/x11/hotkeys/HotKeyMessages.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

class QSocketNotifier;

// The hot-key helper process (vendrel-hotkeys), which holds the hot keys' freezing grabs
// on a connection of its own, and the socket to it. Its reports of key presses and
// releases reach the key handler from the event loop, never from inside a request.
class X11HotKeyHelper final {
public:
    using KeyHandler = std::function<void(const HotKeyMessages::Tell&)>;

    // Starts the helper; running() says whether it did. `ended` runs from the event loop
    // when the helper ends or stops answering.
    X11HotKeyHelper(const std::string& program, KeyHandler keys, std::function<void()> ended);
    ~X11HotKeyHelper();
    X11HotKeyHelper(const X11HotKeyHelper&) = delete;
    X11HotKeyHelper& operator=(const X11HotKeyHelper&) = delete;

    bool running() const { return m_socket >= 0; }
    // Whether the helper got the key with every mask; nullopt when it did not answer in
    // time, after which it is no longer running.
    std::optional<bool> grab(std::uint8_t keycode, const std::vector<std::uint16_t>& masks);
    void ungrab(std::uint8_t keycode, const std::vector<std::uint16_t>& masks);
    // The last press reported was acted on.
    void handled();
    // The keyboard the last press froze may go.
    void release();

private:
    bool send(HotKeyMessages::Request request, std::uint8_t keycode = 0, const std::vector<std::uint16_t>& masks = {});
    // Reads what has arrived: key reports wait for dispatch, an answer is kept. False
    // when the helper is gone or said something that cannot be read.
    bool receive();
    void dispatch();
    // The helper is ended and `ended` runs from the event loop.
    void end();

    KeyHandler m_keys;
    std::function<void()> m_ended;
    int m_socket = -1;
    pid_t m_pid = -1;
    HotKeyMessages m_messages;
    std::deque<HotKeyMessages::Tell> m_reports;
    std::optional<HotKeyMessages::Reply> m_answer;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
