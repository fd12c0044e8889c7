#include "app/ApplicationMain.h"
#include "app/ProcessEntry.h"
#include "formats/QVFormatRepository.h"
#include "foundation/UserDefaults.h"

#include <QByteArray>
#include <QtGlobal>

#include <iostream>

int main(int argc, char** argv)
{
    // One Qt point is one X11 pixel, as the platform layer counts them.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", QByteArray("0"));
    ProcessEntry entry(QVFormatRepository::allExportFormats(UserDefaults::standard()), applicationMain, std::cout);
    return entry.run(argc, argv);
}
