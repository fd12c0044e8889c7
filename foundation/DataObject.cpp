#include "DataObject.h"
