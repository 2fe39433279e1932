#include "engine.h"
int engine()
{
    return 1;
}
