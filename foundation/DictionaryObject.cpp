#include "DictionaryObject.h"
