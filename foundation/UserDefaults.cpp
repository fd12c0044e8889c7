#include "UserDefaults.h"
