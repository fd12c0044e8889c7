#include "app/launch/StandardStreams.h"

#include <initializer_list>

#include <fcntl.h>
#include <unistd.h>

namespace standardstreams {

void reserve()
{
    for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        // open() takes the lowest free number: this stream's, as the lower ones are open by now.
        if (fcntl(stream, F_GETFD) == -1)
            open("/dev/null", O_RDONLY);
    }
}

} // namespace standardstreams
