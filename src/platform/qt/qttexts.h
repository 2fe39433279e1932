// Qt's own texts (the captions and buttons of the file dialog, the menus of
// the edit boxes) in the interface language. Qt ships them in English; the
// Arabic ones come from Debian's qt6-translations-l10n.
#pragma once

namespace platform {

// Puts Qt's own texts into English or Arabic. Where the Arabic translation
// is not installed they stay English.
void useQtTexts(bool english);

} // namespace platform
