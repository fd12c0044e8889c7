#include "windows/QuietStandardError.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

QuietStandardError::QuietStandardError()
{
    std::fflush(stderr);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0)
        return;
    m_saved = fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    if (m_saved >= 0)
        dup2(null, STDERR_FILENO);
    close(null);
}

QuietStandardError::~QuietStandardError()
{
    if (m_saved < 0)
        return;
    std::fflush(stderr);
    dup2(m_saved, STDERR_FILENO);
    close(m_saved);
}
