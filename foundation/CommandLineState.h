#pragma once

#include "Dictionary.h"

// The process-wide command-line flag and settings, written only by the process entry.
namespace commandline {

bool isCLIMode();
void setCLIMode(bool on);

// At most "exportFormat", "magnificationValue", "captureValue".
const Dictionary& settings();
void setSettings(Dictionary settings);

} // namespace commandline
