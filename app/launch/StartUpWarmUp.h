#pragma once

#include <thread>

// Loads, on a thread of its own while the display connection is set up, what a start
// spends most on before its first window can draw and that needs no display: the font
// configuration, the colour transforms, and the settings with the formats read from
// them. The start-up waits for it before it builds its windows; a shared instance asked
// for sooner waits until the thread has loaded it.
class StartUpWarmUp final {
public:
    StartUpWarmUp();
    ~StartUpWarmUp();
    StartUpWarmUp(const StartUpWarmUp&) = delete;
    StartUpWarmUp& operator=(const StartUpWarmUp&) = delete;

    void wait();

private:
    std::thread m_thread;
};
