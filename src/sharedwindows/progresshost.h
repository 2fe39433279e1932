// The window side of a report run that uses prayer::RunHost: frmwait through
// the one-run guard, the text viewer and the warning box. The prayer-times,
// moon-phases and Qibla-times windows all drive their runs through it; a
// window adds only what its own run needs beyond that.
//
// `Base` is prayer::RunHost or an interface derived from it (the moon-phases
// run asks its host for the window's options too), so the shared part stays
// one class whichever interface the run takes.
#pragma once

#include <filesystem>
#include <string>

#include <QLabel>
#include <QProgressBar>
#include <QString>

#include "platform/qt/messagebox.h"
#include "platform/qt/textviewer.h"
#include "sharedwindows/frmwait.h"

template <typename Base> class ProgressHost : public Base {
public:
    // `run` is null for a run with no long computation (the main window's
    // today run): it loads the progress window hidden and never yields.
    explicit ProgressHost(LongComputation* run) : run_(run) {}

    void reset() override
    {
        frmwait& w = frmwait::form();
        w.Pro1->setValue(0);
        w.lblpro1->setText(QStringLiteral("0"));
    }
    void show() override { frmwait::form().show(); }
    void setProgress(float percent, const std::string&) override
    {
        if (run_)
            run_->stepStarts(percent);
    }
    void handOver() override
    {
        if (run_)
            run_->handOverCancelled();
    }
    void showReport(const std::filesystem::path& file) override { platform::showTextFile(file); }
    void unload() override { frmwait::unload(); }
    void warn(const std::string& title, const std::string& text, bool english) override
    {
        // A warning ends the run: the progress window does not stay behind it.
        if (frmwait::isLoaded())
            frmwait::form().hide();
        platform::msgBox(nullptr, QString::fromStdString(text), QString::fromStdString(title),
                         english, platform::MsgIcon::Warning);
    }

private:
    LongComputation* run_;
};
