#include "prayertimes.h"

#include "engine/engine.h"
int prayertimes()
{
    return engine();
}
