// Settings that the engine reads on every call (the place, the preferences).
// A save by this program must be seen at the very next call. A save can only
// happen where platform::fileChangeCount() moves (a hand-over to the message
// loop, a handler's entry, a file write), so the file's identity and change
// stamps (device, inode, modification and change times to the nanosecond,
// size) are looked up again only after it moved; until then, and while they
// are all unchanged, the record is served from the last read. An atomic save
// gives the file a new inode, so it is always seen; a rewrite in place at the
// same size within one tick of the file system's clock (a few milliseconds)
// keeps every stamp and is not. A missing or short file stops the program as
// the strict readers do.
#pragma once

#include "records.h"

namespace settings {

const CurrentLocation& liveCurrentLocation();
const Preferences& livePreferences();

} // namespace settings
