#include "PropertyList.h"
