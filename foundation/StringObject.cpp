#include "StringObject.h"
