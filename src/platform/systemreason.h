// What a message about a file shows in the interface language: the reason the
// system gives for a failed file operation, and the file's path. The
// platform's readers and writers keep the system's own English words (as
// strerror gives them); a message shows them through systemReason, so that an
// Arabic message carries an Arabic reason.
#pragma once

#include <string>

namespace platform {

// The reason for the error number `err` (an errno value): the system's words
// in English, an Arabic sentence otherwise. An error number without an Arabic
// sentence of its own is given as a general one with its number.
std::string systemReason(int err, bool english);

// `reason` as a failed operation gave it (the system's words for an error
// number, possibly after a "call: " prefix, or one of the platform's own
// reasons) in the interface language. English returns it as it is.
std::string systemReason(const std::string& reason, bool english);

// A path or a file name as a message shows it. In an Arabic sentence the
// pieces of a path take the sentence's direction one by one: a path with an
// Arabic file name (a map saved as "صفر 1449.gif") is shown broken up and
// reordered, its extension first, then the name, then the folders. Isolated
// as a left-to-right run of its own (U+2066 LEFT-TO-RIGHT ISOLATE ... U+2069
// POP DIRECTIONAL ISOLATE) it reads as the file system writes it, and the
// sentence around it keeps its order. English returns it as it is.
std::string pathInMessage(const std::string& path, bool english);

// A signed number (a zone of -12, a year of -1999, a Delta T of -2e12) as a
// message shows it. In an Arabic sentence a minus or plus sign before Latin
// digits is a neutral that takes the sentence's direction, so that "-12" is
// drawn as "12-". Isolated as one left-to-right run, as a path is, the sign
// stays left of its digits. English returns it as it is.
std::string numberInMessage(const std::string& number, bool english);

} // namespace platform
