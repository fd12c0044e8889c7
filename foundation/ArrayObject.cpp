#include "ArrayObject.h"
