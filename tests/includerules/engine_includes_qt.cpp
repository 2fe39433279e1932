// Must not compile, nor pass the plain C++ check: the engine is plain C++.
#include "engine/modjul.h"
#include <QString>
