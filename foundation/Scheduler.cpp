#include "Scheduler.h"
