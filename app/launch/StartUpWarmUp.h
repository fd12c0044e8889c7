#pragma once

#include <thread>

// Loads, on a thread of its own while the display connection is set up, the two things
// a start spends most on before its first window can draw: the font configuration and
// the colour transforms. The start-up waits for it before it builds its windows.
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
