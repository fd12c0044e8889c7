#include "ApplicationMain.h"

int applicationMain(int, char**)
{
    return 0;
}
