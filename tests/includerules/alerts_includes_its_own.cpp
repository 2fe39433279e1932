// Compiles: what adhanbell links is on its include path (the counterpart of
// alerts_includes_window.cpp, so that its failure means the rule and nothing
// else).
#include "alerts/frmmain2.h"
#include "engine/modjul.h"
#include "series/seriesloader.h"
#include "settings/records.h"
