#include "NullObject.h"
