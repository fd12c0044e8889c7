#include "app/launch/StartUpWarmUp.h"

#include "formats/QVFormatRepository.h"
#include "formats/color/GenericRgbConversion.h"
#include "foundation/UserDefaults.h"

#include <fontconfig/fontconfig.h>

StartUpWarmUp::StartUpWarmUp()
    : m_thread([] {
        // Qt's font database starts with the same call, which then finds it done.
        FcInit();
        // Each is thrown again where the program first uses it, and handled there.
        try {
            GenericRgbConversion::shared();
        } catch (...) {
        }
        try {
            QVFormatRepository::sharedRepository();
        } catch (...) {
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
