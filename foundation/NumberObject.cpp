#include "NumberObject.h"
