#include "programwindows.h"

#include "mainwindow/frmmain.h"
#include "mainwindow/windowregistry.h"
#include "settings/dialogs/frmalerts.h"
#include "settings/dialogs/frmdate.h"
#include "settings/dialogs/frmlocation.h"
#include "settings/dialogs/frmpreferences.h"
#include "tools/frmcoor.h"

namespace mainwindow {

namespace {

// A saved preference or location changes what the main window shows, so it
// loads again (closing every other window, the dialog included).
template <class Dialog> QWidget* reloadingDialog()
{
    auto* dialog = new Dialog;
    QObject::connect(dialog, &Dialog::saved, [] { frmmain::reload(); });
    return dialog;
}

} // namespace

void registerProgramWindows()
{
    windows::setFactory("frmpreferences", [] { return reloadingDialog<frmpreferences>(); });
    windows::setFactory("frmlocation", [] { return reloadingDialog<frmlocation>(); });
    windows::setFactory("frmalerts", [] { return new frmalerts; });
    windows::setFactory("frmdate", [] { return new frmdate; });
    windows::setFactory("frmcoor", [] { return new frmcoor; });
}

} // namespace mainwindow
