#include "CommandLineState.h"
