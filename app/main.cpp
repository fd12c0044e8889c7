#include "app/ApplicationMain.h"
#include "app/ProcessEntry.h"
#include "formats/QVFormatRepository.h"
#include "foundation/UserDefaults.h"

#include <iostream>

int main(int argc, char** argv)
{
    ProcessEntry entry(QVFormatRepository::allExportFormats(UserDefaults::standard()), applicationMain, std::cout);
    return entry.run(argc, argv);
}
