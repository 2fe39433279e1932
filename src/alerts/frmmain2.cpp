#include "frmmain2.h"

#include <cmath>
#include <filesystem>

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include "alerts/alertclock.h"
#include "alerts/frmadan.h"
#include "alerts/trayimage.h"
#include "platform/eventloop.h"
#include "platform/programfolder.h"
#include "platform/qt/programs.h"
#include "platform/qt/sound.h"
#include "platform/qt/trayicon.h"
#include "series/seriesloader.h"
#include "settings/records.h"

namespace alerts {

namespace {

constexpr Prayer kPrayers[] = {Prayer::Fajr, Prayer::Dhuhr, Prayer::Asr, Prayer::Maghrib,
                               Prayer::Isha};

struct PrayerInfo {
    const char* tip;
    const char* english;
    const char* arabic;
};

const PrayerInfo& info(Prayer p)
{
    static const PrayerInfo table[] = {
        {"Next Prayer is Fajer at ", "Fajer Prayer", "صلاة الفجر"},
        {"Next Prayer is Dhuhor at ", "Dhuhor Prayer", "صلاة الظهر"},
        {"Next Prayer is Aser at ", "Aser Prayer", "صلاة العصر"},
        {"Next Prayer is Maghreb at ", "Maghreb Prayer", "صلاة المغرب"},
        {"Next Prayer is Isha at ", "Isha Prayer", "صلاة العشاء"},
    };
    return table[static_cast<int>(p)];
}

const QString kProductTip = QStringLiteral("Miqatix");

// A prayer text counts as a time when it is not one of the markers.
bool counts(const QString& text)
{
    return clockMinutes(text).has_value();
}

// A 16-bit integer as the record reads it: rounded, an exact half to even.
std::int16_t toInt16(double v)
{
    const double r = std::nearbyint(v);
    if (std::isnan(r))
        return 0;
    if (r > 32767)
        return 32767;
    if (r < -32768)
        return -32768;
    return static_cast<std::int16_t>(r);
}

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

WatchedSettings watchedFrom(const settings::Preferences& p, const settings::CurrentLocation& l)
{
    WatchedSettings w;
    w.locname = l.locname;
    w.city = l.city;
    w.pres = l.pres;
    w.temp = l.temp;
    w.fajang = p.fajang;
    w.ishang = p.ishang;
    w.smf = p.smf;
    w.sdf = p.sdf;
    w.smt = p.smt;
    w.sdt = p.sdt;
    w.subfaj = p.subfaj;
    w.subsho = p.subsho;
    w.adddoh = p.adddoh;
    w.addmag = p.addmag;
    w.eng = p.eng;
    w.elefaj = p.elefaj;
    return w;
}

frmmain2::frmmain2(DayTimesSource& source, std::unique_ptr<platform::RecordingPlayer> player,
                   std::unique_ptr<Waiter> waiter, QWidget* parent)
    : QWidget(parent, Qt::Tool), source_(source),
      MMControl1(player ? std::move(player) : platform::makeRecordingPlayer()),
      waiter_(waiter ? std::move(waiter) : std::make_unique<EventLoopWaiter>())
{
    setObjectName(QStringLiteral("frmmain2"));
    setWindowTitle(QString::fromLatin1(platform::kAlertProgramCaption));
    serverName_ = platform::captionFileName(QString::fromLatin1(platform::kAlertProgramCaption));
    const QIcon icon = alertIcon();
    setWindowIcon(icon);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMilliseconds);
    connect(Timer1, &QTimer::timeout, this, &frmmain2::Timer1_Timer);

    QLineEdit** boxes[] = {&Text1, &Text2, &Text3, &Text4, &Text5, &Text6};
    for (int i = 0; i < 6; ++i) {
        *boxes[i] = new QLineEdit(this);
        (*boxes[i])->setObjectName(QStringLiteral("Text%1").arg(i + 1));
    }

    mnuPopUp = new QMenu(QStringLiteral("PopUp_Menu"), this);
    mnuPopUp->setObjectName(QStringLiteral("mnuPopUp"));
    mnuopen = mnuPopUp->addAction(QStringLiteral("&Open Miqatix "));
    mnuopen->setObjectName(QStringLiteral("mnuopen"));
    line1 = mnuPopUp->addSeparator();
    line1->setObjectName(QStringLiteral("line1"));
    mnuExit = mnuPopUp->addAction(QStringLiteral("&Close \"Prayer Alerts\" of Miqatix"));
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    connect(mnuopen, &QAction::triggered, this, &frmmain2::mnuopen_Click);
    connect(mnuExit, &QAction::triggered, this, &frmmain2::mnuExit_Click);

    tray_ = new platform::TrayIcon(icon, mnuPopUp, this);
    connect(tray_, &platform::TrayIcon::mouseAction, this, &frmmain2::Form_MouseMove);

    programEnd_ = [] {
        QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                  Qt::QueuedConnection);
    };
}

frmmain2::~frmmain2()
{
    if (popup_)
        delete popup_.data();
}

void frmmain2::start()
{
    // On its very first use the alert dialog starts this program before it
    // writes alert.zvd: give it a moment before the start-up reads the file.
    // (Asked without throwing: a damaged name is for the read to report.)
    const auto alertFile = platform::programFile("alert.zvd");
    std::error_code ec;
    if (!std::filesystem::exists(alertFile, ec)) {
        const auto deadline = platform::now() + std::chrono::seconds(kAlertFileWait);
        while (!std::filesystem::exists(alertFile, ec) && platform::now() < deadline && !ended_)
            waiter_->wait(1);
    }
    if (ended_)
        return;
    Form_Load();
    listen();
    Timer1->start();
}

void frmmain2::listen()
{
    // A running copy keeps its name; this copy then asks again at every tick
    // and takes the name over once that copy has ended.
    name_ = new platform::ProgramName(serverName_, this);
    name_->hold();
}

QLocalServer* frmmain2::server() const
{
    return name_ ? name_->server() : nullptr;
}

void frmmain2::readAlertSettings()
{
    const settings::AlertSettings a = settings::readAlertSettings();
    // The record keeps the Mecca choices as plain truths; whether a field was
    // a truth at all is seen in the fields themselves.
    const std::vector<settings::SettingsField> fields =
        settings::readRecordStrict("alert.zvd", settings::kAlertSettingsFields);
    alert_.beep = a.beep;
    alert_.beepmin = a.beepmin;
    alert_.adhan = a.adhan;
    alert_.popup = toInt16(a.popup);
    // A Mecca field chooses a recording only when it is a truth.
    auto choice = [&fields](size_t i, bool value) -> std::optional<bool> {
        if (i < fields.size() && fields[i].kind() == settings::SettingsField::Kind::Truth)
            return value;
        return std::nullopt;
    };
    alert_.dhrmecca = choice(4, a.dhrmecca);
    alert_.asrmecca = choice(5, a.asrmecca);
    alert_.magmecca = choice(6, a.magmecca);
    alert_.ishmecca = choice(7, a.ishmecca);
}

bool frmmain2::allAlertsOff() const
{
    return alert_.beep == 0 && alert_.adhan == 0 && alert_.popup == 0;
}

QString frmmain2::prayerText(Prayer p) const
{
    switch (p) {
    case Prayer::Fajr:
        return fajtime;
    case Prayer::Dhuhr:
        return dohtime;
    case Prayer::Asr:
        return asrtime;
    case Prayer::Maghrib:
        return magtime;
    case Prayer::Isha:
        return ishtime;
    }
    return {};
}

double frmmain2::prayerHours(Prayer p) const
{
    if (p == Prayer::Isha && ishaAtMidnight_)
        return 24;
    const auto minutes = clockMinutes(prayerText(p));
    // Hour + minute/60, the same sum as the clock's hours it is compared with:
    // minutes/60 differs from it in the last bit at some minutes (04:38),
    // which would make a prayer pending in its own minute.
    return minutes ? *minutes / 60 + (*minutes % 60) / 60.0 : 100;
}

void frmmain2::Form_Load()
{
    // A fault in any file is told in the interface language of pref.zvd.
    settings::peekFaultLanguage();
    series::loadTermFull();
    series::loadTerm();
    series::loadMterm();
    readAlertSettings();

    daydate = localNow().date();
    cmdcom_Click();

    const settings::Preferences prefs = settings::readPreferences(18);
    const settings::CurrentLocation loc = settings::readCurrentLocation();
    watched_ = watchedFrom(prefs, loc);

    const QTime t = localNow().time();
    const double nowHours = t.hour() + t.minute() / 60.0;
    tray_->remove();
    tray_->add(nextPrayerTip(nowHours));

    lasttime = clockText(localNow());
}

void frmmain2::cmdcom_Click()
{
    // The day before has its Isha at the coming midnight: keep it due while
    // the new day's times replace it.
    if (ishaAtMidnight_ && computedDate_.isValid() && daydate == computedDate_.addDays(1))
        midnightIshaDue_ = computedDate_;

    const DayTimes t = source_.compute({daydate.year(), daydate.month(), daydate.day()});
    fajtime = q(t.fajr);
    dohtime = q(t.dhuhr);
    asrtime = q(t.asr);
    magtime = q(t.maghrib);
    ishtime = q(t.isha);
    Text1->setText(fajtime);
    Text2->setText(q(t.sunrise));
    Text3->setText(dohtime);
    Text4->setText(asrtime);
    Text5->setText(magtime);
    Text6->setText(ishtime);

    // An Isha that rounds up to midnight is held as "00:00" and belongs to
    // the 00:00 that ends the day.
    ishaAtMidnight_ = ishtime == QLatin1String("24:00");
    if (ishaAtMidnight_)
        ishtime = QStringLiteral("00:00");
    computedDate_ = daydate;
}

QString frmmain2::nextPrayerTip(double nowHours) const
{
    for (Prayer p : kPrayers) {
        const double value = prayerHours(p);
        if (value != 100 && value > nowHours)
            return QString::fromUtf8(info(p).tip) + prayerText(p);
    }
    return kProductTip;
}

QString frmmain2::tipAfter(Prayer p) const
{
    auto tipOf = [this](Prayer next) {
        return QString::fromUtf8(info(next).tip) + prayerText(next);
    };
    switch (p) {
    case Prayer::Fajr:
        for (Prayer next : {Prayer::Dhuhr, Prayer::Asr, Prayer::Maghrib, Prayer::Isha})
            if (counts(prayerText(next)))
                return tipOf(next);
        return kProductTip;
    case Prayer::Dhuhr:
        return counts(asrtime) ? tipOf(Prayer::Asr) : kProductTip;
    case Prayer::Asr:
        return counts(magtime) ? tipOf(Prayer::Maghrib) : kProductTip;
    case Prayer::Maghrib:
        return counts(ishtime) ? tipOf(Prayer::Isha) : kProductTip;
    case Prayer::Isha:
        return kProductTip;
    }
    return kProductTip;
}

void frmmain2::setTip(const QString& tip)
{
    tray_->remove();
    tray_->add(tip);
}

bool frmmain2::matches(Prayer p) const
{
    // The held day's own midnight Isha falls due at the end of the day, not
    // at the 00:00 with which the day begins.
    if (p == Prayer::Isha && ishaAtMidnight_)
        return false;
    return prayerText(p) == lasttime;
}

void frmmain2::Timer1_Timer()
{
    // Ticks never nest: a tick that waits keeps the next one off until it ends.
    if (ended_ || inTick_)
        return;
    inTick_ = true;
    Timer1->stop();
    if (name_)
        name_->hold();
    runTick();
    inTick_ = false;
    if (!ended_)
        Timer1->start();
}

void frmmain2::runTick()
{
    // The language may have been changed since the last tick.
    settings::peekFaultLanguage();
    const settings::Preferences prefs = settings::readPreferences(17);
    const settings::CurrentLocation loc = settings::readCurrentLocation();
    readAlertSettings();

    if (allAlertsOff()) {
        mnuExit_Click();
        return;
    }

    const QDateTime now = localNow();
    const QString clock = clockText(now);

    const auto a = clockMinutes(clock);
    const auto b = clockMinutes(lasttime);
    const bool jumped = !a || !b || std::abs(*a - *b) * 60 > 70;
    if (jumped || watchedFrom(prefs, loc) != watched_) {
        tray_->remove();
        Form_Load();
    }
    lasttime = clock;

    const bool previousIsha = midnightIshaDue_.isValid() &&
                              midnightIshaDue_.addDays(1) == now.date() &&
                              lasttime == QLatin1String("00:00");
    if (previousIsha)
        midnightIshaDue_ = QDate();

    for (Prayer p : kPrayers)
        if (matches(p))
            setTip(tipAfter(p));

    for (Prayer p : kPrayers) {
        if (!matches(p))
            continue;
        announce(p, prayerText(p), prefs.eng);
        if (ended_)
            return;
    }
    // The reload has already put the new day's next prayer into the tip.
    if (previousIsha) {
        announce(Prayer::Isha, QStringLiteral("00:00"), prefs.eng);
        if (ended_)
            return;
    }

    const QDate today = localNow().date();
    if (daydate != today) {
        daydate = today;
        cmdcom_Click();
    }

    if (alert_.beep == 0)
        return;
    const int nowMinutes = *clockMinutes(lasttime);
    for (Prayer p : kPrayers) {
        if (!counts(prayerText(p)))
            continue;
        const int prayerMinutes = static_cast<int>(std::lround(prayerHours(p) * 60));
        if (prayerMinutes - nowMinutes == alert_.beepmin) {
            beepBefore(p);
            if (ended_)
                return;
        }
    }
}

void frmmain2::announce(Prayer p, const QString& timeText, bool english)
{
    if (alert_.adhan == 1) {
        std::optional<bool> mecca = false;
        switch (p) {
        case Prayer::Fajr:
            break;
        case Prayer::Dhuhr:
            mecca = alert_.dhrmecca;
            break;
        case Prayer::Asr:
            mecca = alert_.asrmecca;
            break;
        case Prayer::Maghrib:
            mecca = alert_.magmecca;
            break;
        case Prayer::Isha:
            mecca = alert_.ishmecca;
            break;
        }
        MMControl1->close();
        // A Mecca field that is neither true nor false sets no recording, and
        // nothing is opened or played; the pop-up shows all the same.
        if (p == Prayer::Fajr || mecca) {
            const char* file = p == Prayer::Fajr ? "fajer.wav" : *mecca ? "haram.wav" : "egypt.wav";
            MMControl1->open(QString::fromStdString(platform::programFile(file).string()));
            MMControl1->play();
        }
        adhanWindowForUse()->showOnTop();
    }
    if (alert_.popup == 1)
        adhanWindowForUse()->showOnTop();

    frmadan* w = adhanWindowForUse();
    QLabel* heading = w->heading();
    if (!english) {
        heading->setLayoutDirection(Qt::RightToLeft);
        QFont font(QStringLiteral("Arabic Transparent"));
        font.setPointSize(30);
        heading->setFont(font);
        heading->setGeometry(twipsToPixels(310, w), heading->y(), twipsToPixels(4500, w),
                             heading->height());
        heading->setText(QString::fromUtf8(info(p).arabic));
    } else {
        heading->setText(QString::fromUtf8(info(p).english));
    }
    w->timeLabel()->setText(timeText);

    waiter_->wait(kPrayerWait);
}

void frmmain2::beepBefore(Prayer)
{
    platform::beep();
    waiter_->wait(1);
    if (ended_)
        return;
    platform::beep();
    waiter_->wait(1);
    if (ended_)
        return;
    platform::beep();
    waiter_->wait(56);
}

frmadan* frmmain2::adhanWindowForUse()
{
    if (!popup_) {
        popup_ = new frmadan([this] { stopAdhan(); });
        connect(popup_, &QObject::destroyed, this, [this] {
            popup_ = nullptr;
            endIfNoWindowLeft();
        });
    }
    return popup_;
}

void frmmain2::stopAdhan()
{
    MMControl1->stop();
    MMControl1->close();
}

void frmmain2::Form_MouseMove(int code)
{
    switch (code) {
    case platform::TrayIcon::kLeftDoubleClick:
        activateWindow();
        mnuopen_Click();
        break;
    case platform::TrayIcon::kRightClick:
        // The notification area opens mnuPopUp itself, at the mouse.
        activateWindow();
        break;
    default:
        break;
    }
}

void frmmain2::mnuopen_Click()
{
    // A missing main program is passed over, as the icon has nowhere to say so.
    QString error;
    platform::startProgram(QStringLiteral("qamtar"), error);
}

void frmmain2::mnuExit_Click()
{
    if (ended_)
        return;
    // Ended for good: no tick, wait or reload brings the program back.
    ended_ = true;
    Timer1->stop();
    // An ended copy is no longer the running one, even while a pop-up keeps
    // it open: the alert dialog may start a new one.
    if (name_)
        name_->release();
    waiter_->cancel();
    tray_->remove();
    close();
    // A pop-up that was filled but never shown keeps nothing open.
    if (popup_ && !popup_->isVisible())
        popup_->deleteLater();
    endIfNoWindowLeft();
}

void frmmain2::endIfNoWindowLeft()
{
    // A pop-up still open keeps the program running until it is closed.
    if (ended_ && (!popup_ || !popup_->isVisible()) && programEnd_) {
        auto end = std::move(programEnd_);
        programEnd_ = nullptr;
        end();
    }
}

void frmmain2::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        hide();
    QWidget::changeEvent(event);
}

} // namespace alerts
