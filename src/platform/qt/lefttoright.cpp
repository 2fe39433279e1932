#include "lefttoright.h"

#include "messagebox.h"

namespace platform {

QString leftToRightRun(const QString& text, bool english)
{
    // The run a message gives a signed number, so that a label and a
    // message about the same value show it alike.
    return numberInMessage(text, english);
}

} // namespace platform
