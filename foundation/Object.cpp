#include "Object.h"
