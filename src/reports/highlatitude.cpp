#include "highlatitude.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "engine/modgeneral.h"
#include "prayerreport.h"

namespace prayer {

namespace {

constexpr int kDay = 1440;         // minutes
constexpr int kStep = 5;           // minutes a smoothed time moves from its neighbour
constexpr int kFirstLimit = 10;    // minutes, until the first smoothing of a pass
constexpr int kLaterLimit = 5;     // minutes, afterwards
constexpr int kSummerShift = 60;   // minutes
constexpr int kForwardTail = 193;  // the forward pass ends N - 193 (21 June)
constexpr int kBackwardTail = 192; // the backward pass ends N - 192 (22 June)

const std::string kNightMark = "#";

// Upper edges (degrees north) and fractions of the night.
struct Band {
    double upTo, fr;
};
constexpr Band kBands[] = {
    {49.5, 0.190605047}, {50.5, 0.185005721}, {51.5, 0.182066707}, {52.5, 0.181891441},
    {53.5, 0.181178348}, {54.5, 0.182046483}, {55.5, 0.182659714}, {56.5, 0.182380892},
    {57.5, 0.18457608},  {58.5, 0.185936751}, {59.5, 0.18824565},  {60.5, 0.190677889},
    {61.5, 0.193164432}, {62.5, 0.194939368}, {63.5, 0.198701123}, {64.5, 0.201963999},
    {65.5, 0.205548098},
};

bool isClock(const std::string& t)
{
    auto digit = [&](size_t i) { return std::isdigit(static_cast<unsigned char>(t[i])) != 0; };
    return t.size() >= 5 && digit(0) && digit(1) && t[2] == ':' && digit(3) && digit(4);
}

// A time moved by a (possibly half) number of minutes, to the whole minute;
// a half minute goes to the later minute.
std::string moved(const std::string& t, double minutes)
{
    return clockText(static_cast<int>(std::floor(clockMinutes(t) + minutes + 0.5)));
}

std::string firstTwo(const std::string& t)
{
    return t.substr(0, 2);
}

// A day-to-day step that a pass smooths: more than the limit, but not nearly
// a whole day (that is a time passing midnight, not a jump).
bool jumps(int delta, int limit)
{
    return std::abs(delta) > limit && std::abs(delta) < kDay - limit;
}

OutputDay copied(const StoredDay& s, bool withMarks)
{
    OutputDay o;
    o.dateText = s.dateText;
    o.summer = s.summer;
    o.fajr = s.fajr, o.shuruq = s.shuruq, o.dhuhr = s.dhuhr, o.asr = s.asr;
    o.maghrib = s.maghrib, o.isha = s.isha;
    if (withMarks)
        o.fajrMark = o.ishaMark = s.mark;
    return o;
}

} // namespace

double nightFraction(double phi)
{
    for (const Band& b : kBands)
        if (!(phi > b.upTo))
            return b.fr;
    return kBands[std::size(kBands) - 1].fr;
}

void nightFractionTimes(double fr, const EventTime& sunrise, const EventTime& sunset,
                        EventTime& fajr, EventTime& isha)
{
    if (sunrise.isMarker()) {
        fajr = isha = EventTime::marked(TimeMarker::NoEvent);
        return;
    }
    double S = 24;
    if (!sunset.isMarker())
        S = sunset.hours < 1 ? sunset.hours + 24 : sunset.hours;
    const double R = sunrise.hours;
    const double night = 24 - (S - R);
    fajr = EventTime::at(R - night * fr);
    isha = EventTime::at(S + night * fr);
}

int clockMinutes(const std::string& text)
{
    if (!isClock(text))
        return 0;
    return ((text[0] - '0') * 10 + (text[1] - '0')) * 60 + (text[3] - '0') * 10 + (text[4] - '0');
}

std::string clockText(int minutes)
{
    const int m = ((minutes % kDay) + kDay) % kDay;
    std::string t = "00:00";
    t[0] = static_cast<char>('0' + m / 600);
    t[1] = static_cast<char>('0' + m / 60 % 10);
    t[3] = static_cast<char>('0' + m % 60 / 10);
    t[4] = static_cast<char>('0' + m % 10);
    return t;
}

int minuteDifference(const std::string& a, const std::string& b)
{
    return clockMinutes(a) - clockMinutes(b);
}

StoredDay gatherDay(const HighLatitudeDay& day)
{
    StoredDay s;
    s.dateText = day.dateText;
    s.summer = day.summer;
    s.fajr = day.fajertext, s.shuruq = day.shuroqtext, s.dhuhr = day.dhohurtext;
    s.asr = day.asrtext, s.maghrib = day.maghrebtext, s.isha = day.ishatext;
    if (day.nightFraction)
        s.mark = kNightMark;
    // The passes need a clock time on every day; a missing one, or a night-
    // fraction Isha of exactly midnight, counts as midnight.
    if (s.isha == "24:00")
        s.isha = "00:00";
    const std::string none = EventTime::marked(TimeMarker::NoEvent).markerText();
    if (s.fajr == none)
        s.fajr = "00:00";
    if (s.isha == none)
        s.isha = "00:00";
    // The passes compare days in standard time.
    if (s.summer == 1) {
        s.fajr = moved(s.fajr, -kSummerShift);
        s.isha = moved(s.isha, -kSummerShift);
    }
    return s;
}

bool forwardPass(const std::vector<StoredDay>& days, std::vector<OutputDay>& out,
                 const CarryOn& carryOn)
{
    const int N = static_cast<int>(days.size());
    auto o = [&](int d) -> OutputDay& { return out[d - 1]; };
    bool ishaSmoothed = false, fajrSmoothed = false;
    for (int d = 2; d <= N - kForwardTail; ++d) {
        o(d) = copied(days[d - 1], true);

        const int LI = ishaSmoothed ? kLaterLimit : kFirstLimit;
        if (jumps(minuteDifference(o(d).isha, o(d - 1).isha), LI)) {
            o(d).isha = moved(o(d - 1).isha, -kStep);
            o(d).ishaMark = "#*";
            ishaSmoothed = true;
        }
        const int LF = fajrSmoothed ? kLaterLimit : kFirstLimit;
        if (jumps(minuteDifference(o(d).fajr, o(d - 1).fajr), LF)) {
            o(d).fajr = moved(o(d - 1).fajr, kStep);
            o(d).fajrMark = "#*";
            fajrSmoothed = true;
        }
        if (!carryOn())
            return false;
    }
    return true;
}

bool backwardPass(const std::vector<StoredDay>& days, std::vector<OutputDay>& out,
                  const CarryOn& carryOn)
{
    const int N = static_cast<int>(days.size());
    auto o = [&](int d) -> OutputDay& { return out[d - 1]; };
    bool ishaSmoothed = false, fajrSmoothed = false;
    int midnights = 0;
    for (int d = N - 1; d >= N - kBackwardTail; --d) {
        o(d) = copied(days[d - 1], true);

        const int LI = ishaSmoothed ? kLaterLimit : kFirstLimit;
        // An Isha that crosses midnight from one day to the next is a true
        // step of the series once, not a jump to smooth away.
        const char* H1 = days[d - 1].summer == 1 ? "23" : "00";
        const char* H0 = days[d - 1].summer == 1 ? "22" : "23";
        const bool midnight = LI == kFirstLimit && firstTwo(o(d).isha) == H1 &&
                              firstTwo(o(d + 1).isha) == H0 &&
                              std::abs(minuteDifference(days[d - 2].isha, o(d).isha)) >= 10;
        if (jumps(minuteDifference(o(d + 1).isha, o(d).isha), LI)) {
            if (midnight && midnights == 0) {
                ++midnights;
            } else {
                o(d).isha = moved(o(d + 1).isha, -kStep);
                o(d).ishaMark = "#*";
                ishaSmoothed = true;
            }
        }
        const int LF = fajrSmoothed ? kLaterLimit : kFirstLimit;
        if (jumps(minuteDifference(o(d + 1).fajr, o(d).fajr), LF)) {
            o(d).fajr = moved(o(d + 1).fajr, kStep);
            o(d).fajrMark = "#*";
            fajrSmoothed = true;
        }
        if (o(d).dateText.rfind("22/06", 0) == 0)
            blend(out, d, fajrSmoothed ? kLaterLimit : kFirstLimit);
        if (!carryOn())
            return false;
    }
    return true;
}

void blend(std::vector<OutputDay>& out, int d, int fajrLimit)
{
    auto o = [&](int i) -> OutputDay& { return out[i - 1]; };
    auto dF = [&] { return minuteDifference(o(d - 1).fajr, o(d).fajr); };
    auto dI = [&] { return minuteDifference(o(d - 1).isha, o(d).isha); };
    const int LF = fajrLimit;

    if (int f = dF(); f < -5) {
        const double half = (f + 10) / 2.0;
        o(d + 1).fajr = moved(o(d + 2).fajr, half);
        o(d).fajr = moved(o(d + 1).fajr, half);
        o(d + 1).fajrMark = o(d).fajrMark = "#*F";
    }
    if (int i = dI(); i < -5 && std::abs(i) < kDay - LF) {
        const double half = (i + 10) / 2.0;
        o(d - 2).isha = moved(o(d - 3).isha, -half);
        o(d - 1).isha = moved(o(d - 2).isha, -half);
        o(d - 2).ishaMark = o(d - 1).ishaMark = "#*I";
    }
    if (int f = dF(); f > 5) {
        const double half = (f - 10) / 2.0;
        o(d - 2).fajr = moved(o(d - 3).fajr, -half);
        o(d - 1).fajr = moved(o(d - 2).fajr, -half);
        o(d - 2).fajrMark = o(d - 1).fajrMark = "#*F";
    }
    if (int i = dI(); i > 5 && std::abs(i) < kDay - LF) {
        const double half = (i - 10) / 2.0;
        o(d + 1).isha = moved(o(d + 2).isha, half);
        o(d).isha = moved(o(d + 1).isha, half);
        o(d + 1).ishaMark = o(d).ishaMark = "#*I";
    }
}

bool smoothYear(const std::vector<StoredDay>& days, std::vector<OutputDay>& out,
                const CarryOn& carryOn)
{
    out.assign(days.size(), OutputDay{});
    if (days.empty())
        return true;
    out.front() = copied(days.front(), false);
    if (!forwardPass(days, out, carryOn))
        return false;
    out.back() = copied(days.back(), false);
    return backwardPass(days, out, carryOn);
}

void writeMethodRows(PrayerReport& report, const std::vector<OutputDay>& out)
{
    for (const OutputDay& o : out) {
        std::string fajr = o.fajr, isha = o.isha;
        if (o.summer == 1) {
            fajr = moved(fajr, kSummerShift);
            isha = moved(isha, kSummerShift);
        }
        report.writeMarkedRow(o.dateText, o.summer == 1,
                              {fajr, o.shuruq, o.dhuhr, o.asr, o.maghrib, isha}, o.fajrMark,
                              o.ishaMark);
    }
}

void highLatitudeRefusal(bool english, std::string& title, std::string& text)
{
    if (english) {
        title = "High-Latitude Error!";
        text = "The Alternative Method Does Not Work Above Latitude 65. Please Disable The "
               "High-Latitude Alternative Method Calculations From The Preferences Menu!";
    } else {
        title = "خطأ";
        text = "طريقة حساب المواقيت البديلة لا تصلح بعد خط عرض 65، يرجى عدم تفعيل خيار حساب "
               "المواقيت البديلة لمناطق خطوط العرض العليا من قائمة الخيارات";
    }
}

bool NightFractionMethod::brightFajr(double latitude, const HighLatitudeDay& day, EventTime& fajr,
                                     EventTime& isha)
{
    if (latitude > kHighLatitudeHighest)
        return false;
    nightFractionTimes(nightFraction(latitude), day.sunrise, day.sunset, fajr, isha);
    return true;
}

void NightFractionMethod::begin(double)
{
    days_.clear();
}

void NightFractionMethod::storeDay(const HighLatitudeDay& day)
{
    days_.push_back(gatherDay(day));
}

bool NightFractionMethod::finish(PrayerReport& report, RunHost& host)
{
    std::vector<OutputDay> out;
    const bool done = smoothYear(days_, out, [&host] {
        host.handOver();
        return cancelflag != -1;
    });
    if (done)
        writeMethodRows(report, out);
    days_.clear();
    return done;
}

} // namespace prayer
