#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the program and its hot-key helper say to each other over a socket, in messages
// of a fixed size each way. The program asks for grabs of X key codes, each
// with its modifier masks (the lock-key variants included); the helper answers those
// and reports the hot keys' presses and releases.
class HotKeyMessages final {
public:
    enum class Request : std::uint8_t {
        // Answered Granted when the key was had with every mask, else Refused with
        // nothing kept.
        Grab = 1,
        Ungrab,
        // The program acted on the last press it was sent.
        Handled,
        // The keyboard the last press froze may go.
        Release,
    };
    enum class Reply : std::uint8_t {
        Granted = 1,
        Refused,
        // A hot key went down; the keyboard waits for Release, a second at most.
        Press,
        // Went down while the keyboard waited for the program, or while the program had
        // not handled the press before it: not to be acted on. The keyboard is not kept.
        QueuedPress,
        KeyRelease,
    };
    static constexpr std::size_t kMaxMasks = 4;

    struct Ask {
        Request request;
        std::uint8_t keycode = 0;
        std::vector<std::uint16_t> masks;
    };
    struct Tell {
        Reply reply;
        std::uint8_t keycode = 0;
        std::uint16_t state = 0;
    };

    // An ask with more than kMaxMasks masks sends the first ones.
    static std::string encode(const Ask& ask);
    static std::string encode(const Tell& tell);

    // Takes bytes as they arrive, in pieces of any size.
    void append(const char* bytes, std::size_t size);
    // The next whole message when one has arrived and reads as one; see corrupt().
    std::optional<Ask> nextAsk();
    std::optional<Tell> nextTell();
    // A message arrived that cannot be read: nothing more is read.
    bool corrupt() const { return m_corrupt; }

private:
    std::optional<std::string> take(std::size_t size);

    std::string m_pending;
    bool m_corrupt = false;
};
