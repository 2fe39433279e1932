// The reason the system gives for a failed file operation, in the interface
// language. The platform's readers and writers keep the system's own English
// words (as strerror gives them); a message shows them through systemReason,
// so that an Arabic message carries an Arabic reason.
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

} // namespace platform
