// Numbers and coordinates in the labels of a right-to-left window.
#pragma once

#include <QString>

namespace platform {

// `text` (a signed number, a coordinate, a date with a signed year) as a
// label, an option or a read-out of a window in the interface language shows
// it. In Arabic the window lays its texts out right to left, and a minus or
// plus before Latin digits takes that direction, so that "-12" is drawn as
// "12-"; as one left-to-right run, as a message holds it, the sign stays left
// of its digits. English returns it as it is.
QString leftToRightRun(const QString& text, bool english);

} // namespace platform
