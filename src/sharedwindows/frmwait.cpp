#include "frmwait.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "engine/modgeneral.h"
#include "platform/eventloop.h"
#include "platform/qt/messagebox.h"
#include "settings/liveread.h"

namespace {

QPointer<frmwait>& loaded()
{
    static QPointer<frmwait> window;
    return window;
}

bool& runningFlag()
{
    static bool running = false;
    return running;
}

} // namespace

frmwait& frmwait::form()
{
    if (!loaded()) {
        // Loaded only once Form_Load has read the preferences.
        std::unique_ptr<frmwait> window(new frmwait);
        window->Form_Load();
        loaded() = window.release();
    }
    return *loaded();
}

bool frmwait::isLoaded()
{
    return !loaded().isNull();
}

void frmwait::unload()
{
    frmwait* window = loaded();
    if (!window)
        return;
    // Unloading may happen inside the window's own Cancel click, so the object
    // goes later; the next use loads a fresh window at once.
    loaded() = nullptr;
    window->hide();
    window->deleteLater();
}

frmwait::frmwait() : QWidget(nullptr, Qt::Window)
{
    setObjectName(QStringLiteral("frmwait"));
    setAttribute(Qt::WA_QuitOnClose, false);
    createControls();
}

void frmwait::createControls()
{
    setWindowTitle(QStringLiteral("Please Wait!"));

    Label1 = new QLabel(QStringLiteral("Please Wait !"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    lbllong = new QLabel(QStringLiteral("Calculations for long period may take long time!"), this);
    lbllong->setObjectName(QStringLiteral("lbllong"));
    lbllong->setWordWrap(true);
    Pro1 = new QProgressBar(this);
    Pro1->setObjectName(QStringLiteral("Pro1"));
    Pro1->setRange(0, 100);
    Pro1->setValue(0);
    Pro1->setTextVisible(false); // lblpro1 shows the percentage
    Label2 = new QLabel(QStringLiteral("0 %"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(QStringLiteral("100 %"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    lblpro1 = new QLabel(QStringLiteral("0 %"), this);
    lblpro1->setObjectName(QStringLiteral("lblpro1"));
    lblpro1->setAlignment(Qt::AlignCenter);
    bcancel = new QPushButton(QStringLiteral("&Cancel"), this);
    bcancel->setObjectName(QStringLiteral("bcancel"));
    connect(bcancel, &QPushButton::clicked, this, &frmwait::bcancel_Click);

    // The scale's ends beside the bar; a right-to-left layout mirrors them with
    // the bar, so "0 %" stays at the end where the bar starts.
    auto* scale = new QHBoxLayout;
    scale->addWidget(Label2);
    scale->addWidget(Pro1, 1);
    scale->addWidget(Label3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bcancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(lbllong);
    layout->addLayout(scale);
    layout->addWidget(lblpro1);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void frmwait::Form_Load()
{
    const settings::Preferences& pref = settings::livePreferences();
    if (pref.eng)
        return;
    setWindowTitle(QStringLiteral("الرجاء الانتظار"));
    setLayoutDirection(Qt::RightToLeft);
    bcancel->setText(QStringLiteral("إلغاء"));
    QFont arabic(QStringLiteral("Arabic Transparent"));
    Label1->setFont(arabic);
    Label1->setText(QStringLiteral("الرجاء الانتظار"));
    arabic.setPointSize(14);
    lbllong->setFont(arabic);
    lbllong->setAlignment(Qt::AlignCenter);
    lbllong->setText(QStringLiteral("الحسابات لفترة طويلة قد تحتاج بعض الدقائق"));
}

void frmwait::bcancel_Click()
{
    cancelflag = -1;
    unload();
}

void frmwait::closeEvent(QCloseEvent* event)
{
    event->ignore(); // unload() takes the window away
    bcancel_Click();
}

double frmwait::share(double jd, double jd1, double jd2)
{
    if (jd1 == jd2)
        return 100;
    return 100 * ((jd - jd1) / (jd2 - jd1));
}

void frmwait::showShare(double p)
{
    // A range with an unbounded end has no share to tell: the bar stays at 0.
    p = std::isnan(p) ? 0 : std::clamp(p, 0.0, 100.0);
    const float value = static_cast<float>(p); // the bar holds a single-precision value
    Pro1->setValue(static_cast<int>(std::floor(value)));
    lblpro1->setText(QString::number(std::floor(p), 'f', 0) + QStringLiteral(" %"));
}

namespace {

// The guard: false (with the refusal said) while another computation runs.
bool takeTheRun(QWidget* requester)
{
    if (runningFlag()) {
        const bool english = settings::livePreferences().eng;
        platform::msgBox(requester,
                         english ? QStringLiteral("Another calculation is running. Let it finish "
                                                  "or cancel it, then try again.")
                                 : QStringLiteral("يوجد حساب آخر قيد التنفيذ. انتظر حتى ينتهي أو "
                                                  "ألغه ثم أعد المحاولة."),
                         english ? QStringLiteral("Please Wait!")
                                 : QStringLiteral("الرجاء الانتظار"),
                         english, platform::MsgIcon::Information);
        return false;
    }
    runningFlag() = true;
    return true;
}

} // namespace

LongComputation::LongComputation(QWidget* requester, OwnProgress)
    : started_(takeTheRun(requester)), window_(false)
{
}

LongComputation::LongComputation(QWidget* requester)
{
    if (!takeTheRun(requester))
        return;
    frmwait& window = frmwait::form();
    started_ = true;
    window.Pro1->setValue(0);
    window.lblpro1->setText(QStringLiteral("0"));
    window.show();
    modgeneral::Delay(0.1);
    cancelflag = 0;
}

LongComputation::~LongComputation()
{
    if (!started_)
        return;
    if (window_)
        frmwait::unload();
    runningFlag() = false;
}

bool LongComputation::running()
{
    return runningFlag();
}

void LongComputation::stepStarts(double jd, double jd1, double jd2)
{
    stepStarts(frmwait::share(jd, jd1, jd2));
}

void LongComputation::stepStarts(double percent)
{
    // Once Cancel has unloaded the window, the rest of the step must not load
    // it again (the run is about to stop).
    if (frmwait::isLoaded())
        frmwait::form().showShare(percent);
}

bool LongComputation::handOverCancelled()
{
    platform::processEvents();
    return cancelflag == -1;
}
