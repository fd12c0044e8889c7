#include "app/launch/StartUpWarmUp.h"

#include "formats/color/GenericRgbConversion.h"

#include <fontconfig/fontconfig.h>

StartUpWarmUp::StartUpWarmUp()
    : m_thread([] {
        // Qt's font database starts with the same call, which then finds it done.
        FcInit();
        try {
            GenericRgbConversion::shared();
        } catch (...) {
            // Thrown again where the program first converts, and handled there.
        }
    })
{
}

StartUpWarmUp::~StartUpWarmUp()
{
    wait();
}

void StartUpWarmUp::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
