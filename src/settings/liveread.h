// Settings that the engine reads on every call (the place, the preferences).
// A saved change must be seen at the very next call, so each call checks the
// file's identity and change stamps (device, inode, modification and change
// times to the nanosecond, size); only while they are all unchanged is the
// record served from the last read. An atomic save gives the file a new inode,
// so it is always seen. A missing or short file stops the program as the
// strict readers do.
#pragma once

#include "records.h"

namespace settings {

const CurrentLocation& liveCurrentLocation();
const Preferences& livePreferences();

}  // namespace settings
