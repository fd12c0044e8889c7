#include "app/launch/ProcessEntry.h"
#include "app/launch/ProgramExec.h"
#include "app/launch/StandardStreams.h"
#include "formats/QVFormatRepository.h"
#include "foundation/UserDefaults.h"

#include <iostream>

// The command-line front end: it checks the options of command-line mode and answers
// usage and option errors itself; every other start goes on in the program.
int main(int argc, char** argv)
{
    standardstreams::reserve();
    ProcessEntry entry([] { return QVFormatRepository::allExportFormats(UserDefaults::standard()); },
                       [argv](int, char**) { return ProgramExec::run(argv); }, std::cout);
    return entry.run(argc, argv);
}
