#include "frmmain.h"

#include <cmath>

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "engine/hijricalendar.h"
#include "engine/modday.h"
#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "mainwindow/datelines.h"
#include "platform/eventloop.h"
#include "platform/fault.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "platform/qt/messagebox.h"
#include "platform/qt/qttexts.h"
#include "platform/qt/settingstext.h"
#include "platform/qt/textroom.h"
#include "platform/qt/textviewer.h"
#include "reports/moonreport.h"
#include "series/seriesloader.h"
#include "settings/records.h"
#include "settings/settingsline.h"
#include "sharedwindows/frmwait.h"
#include "sharedwindows/progresshost.h"
#include "sharedwindows/windowregistry.h"
#include "version.h"

namespace {

const QString kMainKind = QStringLiteral("frmmain");

QPointer<frmmain>& mainSlot()
{
    static QPointer<frmmain> window;
    return window;
}

QString q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The buttons that show a window of their own, with the window kind and how
// it is shown.
struct ShowButton {
    const char* button;
    const char* kind;
    windows::ShowMode mode;
};

constexpr ShowButton kShowButtons[] = {
    {"cmdpre", "frmpreferences", windows::ShowMode::Modal},
    {"cmdloc", "frmlocation", windows::ShowMode::Modal},
    {"cmdale", "frmalerts", windows::ShowMode::Modal},
    {"cmddat", "frmdate", windows::ShowMode::Modal},
    {"cmdcresv", "frmcresv", windows::ShowMode::Modal},
    {"cmdpha", "frmphase", windows::ShowMode::Modeless},
    {"cmdcon", "frmhej", windows::ShowMode::Modal},
    {"cmdqib", "frmqib", windows::ShowMode::Modeless},
    {"cmdcoor", "frmcoor", windows::ShowMode::Modeless},
    {"cmdtele", "frmtele", windows::ShowMode::Modal},
};

void showFor(const char* button)
{
    for (const ShowButton& b : kShowButtons)
        if (qstrcmp(b.button, button) == 0)
            windows::show(QString::fromLatin1(b.kind), b.mode);
}

// The machine's date and time, from the platform's clock, in local time.
QDateTime machineNow()
{
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(platform::now().time_since_epoch())
            .count();
    return QDateTime::fromMSecsSinceEpoch(ms).toLocalTime();
}

// The window side of a prayer-times run. The program that is closing opens
// no report.
class WindowHost : public ProgressHost<prayer::RunHost> {
public:
    WindowHost(LongComputation* run, const bool& exiting) : ProgressHost(run), exiting_(exiting) {}

    void showReport(const std::filesystem::path& file) override
    {
        if (!exiting_)
            ProgressHost::showReport(file);
    }

private:
    const bool& exiting_;
};

// Leaves the engine without a host however its run ends.
template <typename Engine> struct HostScope {
    HostScope(Engine& engine, prayer::RunHost* host) : engine_(engine) { engine_.setHost(host); }
    ~HostScope() { engine_.setHost(nullptr); }
    Engine& engine_;
};

// A report run of `engine` (its button's `click`) under the one-run guard,
// with the progress window as its host; false, and no run, when another long
// computation holds the guard.
template <typename Engine>
bool runReport(QWidget* requester, const bool& exiting, Engine& engine, void (Engine::*click)())
{
    LongComputation run(requester);
    if (!run.started())
        return false;
    WindowHost host(&run, exiting);
    HostScope<Engine> scope(engine, &host);
    (engine.*click)();
    return true;
}

} // namespace

frmmain* frmmain::load()
{
    auto* window = new frmmain;
    try {
        window->Form_Load();
    } catch (...) {
        // Only a test's stop handler returns here: the program would have
        // ended with the message.
        delete window;
        throw;
    }
    mainSlot() = window;
    windows::registerWindow(kMainKind, window);
    return window;
}

frmmain* frmmain::instance()
{
    return mainSlot();
}

frmmain* frmmain::reload()
{
    if (LongComputation::running()) {
        // As with Exit: the run is cancelled and the reload waits until it has
        // stopped, so that no window it may still touch is gone.
        if (frmmain* old = mainSlot()) {
            old->unloading_ = true;
            old->timertime->stop();
        }
        suspendForRunEnd(Pending::Reload);
        return nullptr;
    }
    if (frmmain* old = mainSlot()) {
        old->unloading_ = true;
        old->timertime->stop();
        mainSlot() = nullptr;
    }
    windows::unloadAll();
    frmmain* window = load();
    window->show();
    return window;
}

frmmain::frmmain()
{
    setObjectName(kMainKind);
    createControls();
    moon_.bindMainWindow(engine_.shuroqtext, engine_.maghrebtext, english);
}

frmmain::~frmmain()
{
    if (mainSlot() == this)
        mainSlot() = nullptr;
}

void frmmain::createControls()
{
    setWindowTitle(QStringLiteral("Miqatix " MIQATIX_VERSION));

    auto label = [](const char* name, const QString& text, QWidget* parent) {
        auto* l = new QLabel(text, parent);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto button = [](const char* name, const QString& text, QWidget* parent) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };

    lbltitle = label("lbltitle", QStringLiteral("Miqatix " MIQATIX_VERSION_SHORT), this);
    lbltitle->setFont(QFont(QStringLiteral("Times New Roman"), 20, QFont::Bold));
    lblhead = label("lblhead", QStringLiteral("Falakorum (FKR)"), this);
    lblhead->setFont(QFont(QStringLiteral("Andalus"), 20));
    lblhead->setAlignment(Qt::AlignCenter);
    lblby = label("lblby", QStringLiteral("by the Miqatix team"), this);
    QFont byFont(QStringLiteral("Times New Roman"), 12, QFont::Bold);
    byFont.setItalic(true);
    lblby->setFont(byFont);

    framain = new QGroupBox(QStringLiteral("Desktop"), this);
    framain->setObjectName(QStringLiteral("framain"));
    cmddat = button("cmddat", QStringLiteral("&Date"), framain);
    cmdloc = button("cmdloc", QStringLiteral("&Location"), framain);
    cmdpre = button("cmdpre", QStringLiteral("&Preferences"), framain);
    cmdqib = button("cmdqib", QStringLiteral("&Qiblah"), framain);
    cmdcom = button("cmdcom", QStringLiteral("Prayer &Times"), this);
    cmdale = button("cmdale", QStringLiteral("Prayer &Alerts"), framain);
    cmdpha = button("cmdpha", QStringLiteral("M&oon Phases"), framain);
    cmdcresv = button("cmdcresv", QStringLiteral("Crescent &Visibility"), framain);
    cmdtele = button("cmdtele", QStringLiteral("Tele&scope"), framain);
    cmdext = button("cmdext", QStringLiteral("E&xit"), this);
    cmdhel = button("cmdhel", QStringLiteral("&Help"), this);
    cmdcon = button("cmdcon", QStringLiteral("Hejric &Gregorian "), framain);
    cmdmoon = button("cmdmoon", QStringLiteral("&Moon Times"), framain);
    cmdcoor = button("cmdcoor", QStringLiteral("Sun Moon &Ephemeris"), framain);

    fratoday = new QGroupBox(QStringLiteral("Prayer Times"), this);
    fratoday->setObjectName(QStringLiteral("fratoday"));
    timertime = new QTimer(fratoday);
    timertime->setObjectName(QStringLiteral("timertime"));
    timertime->setInterval(5000);
    lblmtime = label("lblmtime", QStringLiteral("Machine's Time: "), fratoday);
    lblmtime->setFont(QFont(QStringLiteral("Arial"), 10));
    lblmdate = label("lblmdate", QStringLiteral("Machine's Date: "), fratoday);
    lblmdate->setFont(QFont(QStringLiteral("Arial"), 10));
    lbltheader = label("lbltheader", QStringLiteral("Today's Prayer Times"), fratoday);
    lbltheader->setFont(QFont(QStringLiteral("Arial"), 12, QFont::Bold));
    const QFont panelFont(QStringLiteral("MS Sans Serif"), 10);
    lblhfaj = label("lblhfaj", QStringLiteral("Fajer"), fratoday);
    lblhshr = label("lblhshr", QStringLiteral("Shuroq"), fratoday);
    lblhdoh = label("lblhdoh", QStringLiteral("Dhohur"), fratoday);
    lblhasr = label("lblhasr", QStringLiteral("Aser"), fratoday);
    lblhmag = label("lblhmag", QStringLiteral("Maghreb"), fratoday);
    lblhish = label("lblhish", QStringLiteral("Isha"), fratoday);
    const QString designed = QStringLiteral("00:00:00");
    lbltfaj = label("lbltfaj", designed, fratoday);
    lbltshr = label("lbltshr", designed, fratoday);
    lbltdoh = label("lbltdoh", designed, fratoday);
    lbltasr = label("lbltasr", designed, fratoday);
    lbltmag = label("lbltmag", designed, fratoday);
    lbltish = label("lbltish", designed, fratoday);
    lbltloc = label("lbltloc", QStringLiteral("Location"), fratoday);
    for (QLabel* l : {lblhfaj, lblhshr, lblhdoh, lblhasr, lblhmag, lblhish, lbltfaj, lbltshr,
                      lbltdoh, lbltasr, lbltmag, lbltish, lbltloc})
        l->setFont(panelFont);

    // Geometry is left to layouts: the buttons in two columns, the panel as
    // name and time side by side.
    auto* desk = new QGridLayout(framain);
    QPushButton* deskButtons[] = {cmddat, cmdloc,   cmdpre,  cmdale,  cmdqib, cmdcon,
                                  cmdpha, cmdcresv, cmdmoon, cmdcoor, cmdtele};
    for (int i = 0; i < 11; ++i)
        desk->addWidget(deskButtons[i], i / 2, i % 2);

    auto* today = new QGridLayout(fratoday);
    today->addWidget(lbltheader, 0, 0, 1, 2, Qt::AlignHCenter);
    // A long place name is cut short in the panel rather than widening it.
    lbltloc->setAlignment(Qt::AlignCenter);
    today->addWidget(lbltloc, 1, 0, 1, 2);
    QLabel* names[] = {lblhfaj, lblhshr, lblhdoh, lblhasr, lblhmag, lblhish};
    QLabel* times[] = {lbltfaj, lbltshr, lbltdoh, lbltasr, lbltmag, lbltish};
    for (int i = 0; i < 6; ++i) {
        today->addWidget(names[i], 2 + i, 0);
        today->addWidget(times[i], 2 + i, 1);
    }
    today->addWidget(lblmdate, 8, 0, 1, 2);
    today->addWidget(lblmtime, 9, 0, 1, 2);

    auto* top = new QVBoxLayout;
    top->addWidget(lblhead, 0, Qt::AlignHCenter);
    top->addWidget(lbltitle, 0, Qt::AlignHCenter);
    top->addWidget(lblby, 0, Qt::AlignHCenter);
    auto* middle = new QHBoxLayout;
    middle->addWidget(framain);
    middle->addWidget(fratoday, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(cmdcom);
    bottom->addStretch(1);
    bottom->addWidget(cmdhel);
    bottom->addWidget(cmdext);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(top);
    whole->addLayout(middle, 1);
    whole->addLayout(bottom);

    connect(cmdcom, &QPushButton::clicked, this, &frmmain::cmdcom_Click);
    connect(cmdmoon, &QPushButton::clicked, this, &frmmain::cmdmoon_Click);
    connect(cmdpre, &QPushButton::clicked, this, &frmmain::cmdpre_Click);
    connect(cmdloc, &QPushButton::clicked, this, &frmmain::cmdloc_Click);
    connect(cmdale, &QPushButton::clicked, this, &frmmain::cmdale_Click);
    connect(cmddat, &QPushButton::clicked, this, &frmmain::cmddat_Click);
    connect(cmdcresv, &QPushButton::clicked, this, &frmmain::cmdcresv_Click);
    connect(cmdpha, &QPushButton::clicked, this, &frmmain::cmdpha_Click);
    connect(cmdcon, &QPushButton::clicked, this, &frmmain::cmdcon_Click);
    connect(cmdqib, &QPushButton::clicked, this, &frmmain::cmdqib_Click);
    connect(cmdcoor, &QPushButton::clicked, this, &frmmain::cmdcoor_Click);
    connect(cmdtele, &QPushButton::clicked, this, &frmmain::cmdtele_Click);
    connect(cmdhel, &QPushButton::clicked, this, &frmmain::cmdhel_Click);
    connect(cmdext, &QPushButton::clicked, this, &frmmain::cmdext_Click);
    connect(timertime, &QTimer::timeout, this, &frmmain::timertime_Timer);
}

void frmmain::Form_Load()
{
    // When pref.zvd cannot be read the message stays English and the strict
    // read names the fault.
    settings::peekFaultLanguage();
    series::loadTermFull();
    locname_ = settings::readCurrentLocation().locname;
    series::loadTerm();
    series::loadMterm();
    english = settings::readPreferences().eng;
    platform::setFaultLanguage(english);
    platform::useQtTexts(english);
    // Unlike the English start-up, nothing from here on is skipped when it
    // fails in Arabic: a missing file stops the program with its message in
    // both languages rather than opening with wrong data.
    if (!english)
        switchToArabic();
    computeToday();
    writeClockLine();
    series::loadElp();
    platform::makeRoomForTexts(this, english);
    enableButtons();
    timertime->start();
}

void frmmain::switchToArabic()
{
    const QString arabicFace = QStringLiteral("Arabic Transparent");
    auto twips = [this](int t) { return t * logicalDpiX() / 1440; };

    lblhead->setFont(QFont(arabicFace, 26));
    lblhead->setText(QStringLiteral("Falakorum"));
    lblhead->setMinimumWidth(twips(6350));

    setWindowTitle(QStringLiteral("Miqatix " MIQATIX_VERSION_SHORT));
    setLayoutDirection(Qt::RightToLeft);

    lbltitle->setFont(QFont(arabicFace, 18, QFont::Bold));
    lbltitle->setText(QStringLiteral("Miqatix " MIQATIX_VERSION));

    lblby->setFont(QFont(arabicFace, 18));
    lblby->setText(QStringLiteral("إعداد فريق Miqatix"));

    framain->setTitle(QStringLiteral("اللوحة الرئيسة"));
    framain->setLayoutDirection(Qt::RightToLeft);

    const std::pair<QPushButton*, QString> buttons[] = {
        {cmddat, QStringLiteral("ال&تاريخ")},
        {cmdloc, QStringLiteral("المو&قع")},
        {cmdpre, QStringLiteral("ا&لخيارات")},
        {cmdqib, QStringLiteral("&اتجاه القبلة")},
        {cmdcom, QStringLiteral("مواقيت ال&صلاة")},
        {cmdale, QStringLiteral("م&نبه الصلاة")},
        {cmdpha, QStringLiteral("أ&طوار القمر")},
        {cmdcresv, QStringLiteral("&رؤية الهلال")},
        {cmdtele, QStringLiteral("تلس&كوب")},
        {cmdext, QStringLiteral("&خروج")},
        {cmdhel, QStringLiteral("م&ساعدة")},
        {cmdcon, QStringLiteral("&هجري ميلا&دي")},
        {cmdmoon, QStringLiteral("&مواقيت القمر")},
        {cmdcoor, QStringLiteral("أ&زياج الشمس و القمر")},
    };
    for (const auto& [b, text] : buttons)
        b->setText(text);

    fratoday->setLayoutDirection(Qt::RightToLeft);
    fratoday->setTitle(QStringLiteral("مواقيت الصلاة"));

    lbltheader->setFont(QFont(arabicFace, 14));
    lbltheader->setText(QStringLiteral("مواقيت الصلاة اليوم"));

    const std::pair<QLabel*, QString> names[] = {
        {lblhfaj, QStringLiteral("الفجر")},  {lblhshr, QStringLiteral("الشروق")},
        {lblhdoh, QStringLiteral("الظهر")},  {lblhasr, QStringLiteral("العصر")},
        {lblhmag, QStringLiteral("المغرب")}, {lblhish, QStringLiteral("العشاء")},
    };
    for (const auto& [l, text] : names) {
        l->setFont(QFont(arabicFace, 12));
        l->setText(text);
    }
}

void frmmain::computeToday()
{
    const QDate date = machineNow().date();
    panelDate_ = date;
    todaymode = 1;
    jul(date.year(), date.month(), date.day(), 0, todayjd);
    {
        WindowHost host(nullptr, unloading_);
        HostScope<prayer::PrayerTimesEngine> scope(engine_, &host);
        engine_.todaymode = todaymode;
        engine_.todayjd = todayjd;
        engine_.cmdcom_Click();
        engine_.todaymode = 0;
    }
    takeEngineTimes();
    todaymode = 0;
    platform::setElidedText(lbltloc, platform::settingsText(locname_));
    lbltfaj->setText(q(fajertext));
    lbltshr->setText(q(shuroqtext));
    lbltdoh->setText(q(dhohurtext));
    lbltasr->setText(q(asrtext));
    lbltmag->setText(q(maghrebtext));
    lbltish->setText(q(ishatext));
    writeDateLine();
}

void frmmain::writeDateLine()
{
    const double N = std::floor(todayjd + 0.5);
    std::string weekday;
    day(N, english ? 0 : 1, weekday);
    const mainwindow::CalendarDate gregorian{panelDate_.day(), panelDate_.month(),
                                             panelDate_.year()};
    long long hyear = 0;
    int hmonth = 0, hday = 0;
    hijriFromDayNumber(static_cast<long long>(N), hyear, hmonth, hday);
    const mainwindow::CalendarDate hijri{hday, hmonth, static_cast<int>(hyear)};
    if (!english)
        lblmdate->setLayoutDirection(Qt::RightToLeft);
    lblmdate->setText(q(mainwindow::machineDateLine(english, weekday, gregorian, hijri)));
    if (!english) {
        const int nameHeight = 300 * logicalDpiY() / 1440;
        for (QLabel* l : {lblhfaj, lblhshr, lblhdoh, lblhasr, lblhmag, lblhish})
            l->setFixedHeight(nameHeight);
        QFont dateFont = lblmdate->font();
        dateFont.setPointSize(12);
        lblmdate->setFont(dateFont);
        QFont headerFont = lbltheader->font();
        headerFont.setPointSize(15);
        lbltheader->setFont(headerFont);
    }
}

void frmmain::writeClockLine()
{
    const QTime time = machineNow().time();
    lblmtime->setText(q(mainwindow::machineTimeLine(english, time.hour(), time.minute())));
    if (!english) {
        QFont f = lblmtime->font();
        f.setPointSize(12);
        lblmtime->setFont(f);
    }
}

void frmmain::timertime_Timer()
{
    writeClockLine();
    // The panel and the date line belong to one day: when the machine's date
    // moves on while the window stays open, they are computed again.
    // A report that is running shares the engine and the progress window, so
    // the new day waits for it to end.
    if (machineNow().date() != panelDate_ && !LongComputation::running())
        computeToday();
}

void frmmain::enableButtons()
{
    for (const ShowButton& b : kShowButtons)
        if (auto* w = findChild<QPushButton*>(QString::fromLatin1(b.button)))
            w->setEnabled(windows::hasFactory(QString::fromLatin1(b.kind)));
}

void frmmain::takeEngineTimes()
{
    fajertext = engine_.fajertext;
    shuroqtext = engine_.shuroqtext;
    dhohurtext = engine_.dhohurtext;
    asrtext = engine_.asrtext;
    maghrebtext = engine_.maghrebtext;
    ishatext = engine_.ishatext;
}

void frmmain::cmdcom_Click()
{
    if (unloading_)
        return;
    if (!runReport(this, unloading_, engine_, &prayer::PrayerTimesEngine::cmdcom_Click))
        return;
    takeEngineTimes();
    endReport(engine_.lastRun(), prayer::kPrayerReportFile,
              english ? QStringLiteral("Prayer Times") : QStringLiteral("مواقيت الصلاة"));
}

void frmmain::endReport(const prayer::RunResult& result, const char* file, const QString& title)
{
    if (unloading_) {
        settlePending();
        return;
    }
    if (result.written || result.writeError.empty())
        return;
    const QString name = QString::fromLatin1(file);
    const QString why = platform::reasonText(result.writeError, english);
    platform::msgBox(
        this,
        english ? QStringLiteral("The report could not be written to %1: %2").arg(name, why)
                : QStringLiteral("تعذرت كتابة التقرير في الملف %1: %2")
                      .arg(platform::pathInMessage(name, english), why),
        title, english, platform::MsgIcon::Critical);
}

void frmmain::cmdmoon_Click()
{
    if (unloading_)
        return;
    if (!runReport(this, unloading_, moon_, &moontimes::MoonTimesEngine::cmdmoon_Click))
        return;
    // The moon engine writes its last day's rise and set into the main
    // window's sunrise and sunset members, as the prayer engine's do.
    shuroqtext = engine_.shuroqtext;
    maghrebtext = engine_.maghrebtext;
    endReport(moon_.lastRun(), moontimes::kMoonReportFile,
              english ? QStringLiteral("Moon Times") : QStringLiteral("مواقيت القمر"));
}

void frmmain::cmdpre_Click()
{
    showFor("cmdpre");
}
void frmmain::cmdloc_Click()
{
    showFor("cmdloc");
}
void frmmain::cmdale_Click()
{
    showFor("cmdale");
}
void frmmain::cmddat_Click()
{
    showFor("cmddat");
}
void frmmain::cmdcresv_Click()
{
    showFor("cmdcresv");
}
void frmmain::cmdpha_Click()
{
    showFor("cmdpha");
}
void frmmain::cmdcon_Click()
{
    showFor("cmdcon");
}
void frmmain::cmdqib_Click()
{
    showFor("cmdqib");
}
void frmmain::cmdcoor_Click()
{
    showFor("cmdcoor");
}
void frmmain::cmdtele_Click()
{
    showFor("cmdtele");
}

void frmmain::cmdhel_Click()
{
    platform::showTextFile(platform::programFile("help.txt"));
}

void frmmain::cmdext_Click()
{
    Form_QueryUnload();
}

void frmmain::closeEvent(QCloseEvent* event)
{
    if (unloading_) {
        event->accept();
        return;
    }
    // Unloading goes through the collection of windows; the close itself is
    // taken over by it.
    event->ignore();
    Form_QueryUnload();
}

void frmmain::Form_QueryUnload()
{
    if (unloading_)
        return;
    unloading_ = true;
    timertime->stop();
    if (!LongComputation::running()) {
        finishUnload();
        return;
    }
    suspendForRunEnd(Pending::Exit);
}

frmmain::Pending& frmmain::pending()
{
    static Pending what = Pending::None;
    return what;
}

void frmmain::suspendForRunEnd(Pending what)
{
    // A long computation is suspended in a hand-over to the message loop,
    // inside a handler of one of the windows. It is cancelled and the windows
    // only disappear for now; they unload once the run has stopped at its next
    // hand-over.
    pending() = what;
    cancelflag = -1;
    for (QWidget* w : windows::loadedWindows())
        w->hide();
    if (frmwait::isLoaded())
        frmwait::form().hide();
    settlePending();
}

void frmmain::settlePending()
{
    if (pending() == Pending::None)
        return;
    if (LongComputation::running()) {
        QTimer::singleShot(20, qApp, &frmmain::settlePending);
        return;
    }
    const Pending what = pending();
    pending() = Pending::None;
    if (what == Pending::Reload) {
        reload();
    } else if (frmmain* window = mainSlot()) {
        window->finishUnload();
    } else {
        windows::unloadAll();
    }
}

void frmmain::finishUnload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    unloading_ = true;
    if (mainSlot() == this)
        mainSlot() = nullptr;
    timertime->stop();
    frmwait::unload();
    windows::unloadAll();
    // The windows are hidden, not closed, so the application is told that the
    // program ends, unless a viewer is still open: like the shell's editor it
    // outlives the program's own windows, and closing it then ends the program.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible())
            return;
    QCoreApplication::quit();
}
