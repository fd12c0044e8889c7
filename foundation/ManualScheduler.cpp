#include "ManualScheduler.h"
