#include "programwindows.h"

#include "lunar/frmcresv.h"
#include "lunar/frmmap.h"
#include "lunar/frmphase.h"
#include "mainwindow/frmmain.h"
#include "settings/dialogs/frmalerts.h"
#include "settings/dialogs/frmdate.h"
#include "settings/dialogs/frmlocation.h"
#include "settings/dialogs/frmpreferences.h"
#include "sharedwindows/windowregistry.h"
#include "tools/frmcoor.h"
#include "tools/frmhej.h"
#include "tools/frmqib.h"
#include "tools/frmqmap.h"
#include "tools/frmtele.h"

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

// The crescent tool borrows one-day runs of the main window's two engines.
lunar::OneDayEngines mainWindowEngines()
{
    lunar::OneDayEngines engines;
    engines.prayerTimes = [] {
        if (frmmain* main = frmmain::instance())
            main->engine().cmdcom_Click();
    };
    engines.moonTimes = [] {
        if (frmmain* main = frmmain::instance())
            main->moonEngine().cmdmoon_Click();
    };
    return engines;
}

} // namespace

void registerProgramWindows()
{
    windows::setFactory("frmpreferences", [] { return reloadingDialog<frmpreferences>(); });
    windows::setFactory("frmlocation", [] { return reloadingDialog<frmlocation>(); });
    windows::setFactory("frmalerts", [] { return new frmalerts; });
    windows::setFactory("frmdate", [] { return new frmdate; });
    windows::setFactory("frmmap", [] { return new frmmap; });
    windows::setFactory("frmphase", [] { return new frmphase; });
    windows::setFactory("frmhej", [] { return new frmhej; });
    windows::setFactory("frmtele", [] { return new frmtele; });
    windows::setFactory("frmcresv", [] { return new frmcresv(mainWindowEngines()); });
    windows::setFactory("frmqib", [] {
        auto* w = new frmqib;
        w->showMap = [] { windows::show("frmqmap", windows::ShowMode::Modal); };
        return w;
    });
    windows::setFactory("frmqmap", [] { return new frmqmap; });
    windows::setFactory("frmcoor", [] { return new frmcoor; });
}

} // namespace mainwindow
