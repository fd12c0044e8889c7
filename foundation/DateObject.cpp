#include "DateObject.h"
