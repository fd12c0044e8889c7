#include "app/ProcessEntry.h"
#include "app/ProgramExec.h"
#include "formats/QVFormatRepository.h"
#include "foundation/UserDefaults.h"

#include <iostream>

// The command-line front end: without "cli" it starts the program at once; with it, it
// checks the options first and answers usage and option errors without the program.
int main(int argc, char** argv)
{
    if (!ProcessEntry::isCommandLine(argc, argv))
        return ProgramExec::run(argv);
    ProcessEntry entry(QVFormatRepository::allExportFormats(UserDefaults::standard()),
                       [argv](int, char**) { return ProgramExec::run(argv); }, std::cout);
    return entry.run(argc, argv);
}
