#include "moonphases.h"

#include <cmath>
#include <cstdlib>

#include "engine/computableyears.h"
#include "engine/moddeltat.h"
#include "engine/modgeneral.h"
#include "engine/modjul.h"
#include "engine/modsummer.h"
#include "engine/numberpattern.h"
#include "moonphase.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "platform/systemreason.h"
#include "reports/prayerreport.h"
#include "reports/reportpieces.h"
#include "settings/records.h"
#include "settings/settingsline.h"

#include "version.h"

namespace lunar {

namespace {

const std::string kRule(103, '=');

// Columns of the four phases; a summer mark goes in the column before.
constexpr size_t kPhaseColumns[4] = {2, 29, 58, 87};
const char* const kPhaseCodes[4] = {"nm", "fq", "fm", "lq"};
constexpr MoonPhase kPhases[4] = {MoonPhase::New, MoonPhase::FirstQuarter, MoonPhase::Full,
                                  MoonPhase::LastQuarter};

// The report as a stream of items: the current line stays open until an
// item ends it, as the table's rows do.
class PhaseReport {
public:
    // Places `item` at the 1-based character column; a line already past it
    // is ended first.
    void at(size_t column, const std::string& item)
    {
        if (prayer::charCount(open_) > column - 1)
            endLine();
        prayer::padTo(open_, column);
        open_ += item;
    }
    void append(const std::string& item) { open_ += item; }
    void endLine()
    {
        text_ += open_;
        text_ += "\r\n";
        open_.clear();
    }
    void line(const std::string& s)
    {
        append(s);
        endLine();
    }
    bool lineOpen() const { return !open_.empty(); }
    const std::string& text() const { return text_; }

private:
    std::string text_;
    std::string open_;
};

std::string pattern(double v, int minDigits, int decimals = 0)
{
    return prayer::patternNumber(v, minDigits, decimals);
}

void writeHeader(PhaseReport& r, const settings::CurrentLocation& loc,
                 const settings::Preferences& pref, const PhaseChoices& c,
                 const std::string& yearText)
{
    r.at(26, "By the Name of Allah");
    r.endLine();
    r.at(21, "Falakorum");
    r.endLine();
    r.at(20, "Miqatix " MIQATIX_VERSION_SHORT);
    r.endLine();
    r.endLine();
    r.line("* Settings:-");
    r.line(std::string("- ") +
           (c.geocentric ? "Geocentric Phases of The Moon for The Year:"
                         : "Topocentric Phases of The Moon for The Year:") +
           "  " + yearText + " CE");

    // The place line of the prayer and moon times: only the degrees carry the
    // hemisphere, and a place within a degree west or south keeps its minus.
    r.line(reportpieces::placeLine(loc));
    r.line(reportpieces::summerTimeLine(pref, pref.summ == "0"));
    if (c.ut1)
        r.line("- Time Reference is Local (UT1),  Delta T: " + deltaTText(c.deltaTSeconds) +
               " Second(s)");
    else
        r.line("- Time Reference is Local (TDT).");
    r.endLine();
    r.line(kRule);
    r.endLine();
    r.at(7, "New Moon");
    r.at(32, "First Quarter");
    r.at(61, "Full Moon");
    r.at(90, "Last Quarter");
    r.endLine();
    r.endLine();
}

void writeFooter(PhaseReport& r)
{
    r.endLine();
    r.endLine();
    r.line(kRule);
    r.endLine();
    r.line("* Remarks:-");
    r.line("- Date format: dd/mm/yyyy.");
    r.line("- The Symbol '*' before the date, refers to Summer Time.");
}

} // namespace

double phaseYear(const std::string& yearBoxText)
{
    return settings::lenientNumber(yearBoxText);
}

double deltaTSecondsOfYear(double year)
{
    double JD, dT;
    jul(year, 6, 15, 0, JD);
    deltat(JD, dT);
    return 86400 * dT;
}

std::string deltaTText(double seconds)
{
    return prayer::patternNumber(seconds, 2, 2);
}

double startLunation(double year, const PhaseRunState& runState)
{
    // The mean interval of New Moons, days, and the New Moon's lead on its
    // first lunation that keeps the last of the fifteen past the year's end:
    // 14.75 lunations are 435.6 days, less the longest year and the phases'
    // periodic wander.
    constexpr double kSynodicMonth = 29.530588853;
    constexpr double kEarliestLead = 60;
    constexpr int kMostSteps = 4;
    PhaseRunState state = runState;
    const double rad = state.pi / 180;
    double yearStart;
    jul(year, 1, 1, 0, yearStart);
    auto newMoon = [&](double k) {
        double estimate = phaseEstimate(k, MoonPhase::New, rad);
        double local = 0;
        RefinePhaseInstant(state, estimate, local, "nm");
        return local;
    };

    double k = firstLunation(year);
    double start = newMoon(k);
    if (start < yearStart && start > yearStart - kEarliestLead)
        return k;
    // Far from the present the drift is many lunations: jump by the mean
    // month, then step to the last New Moon before 1 January.
    if (std::isfinite(start) && std::fabs(start - yearStart) > 2 * kSynodicMonth) {
        k += std::floor((yearStart - start) / kSynodicMonth);
        start = newMoon(k);
    }
    for (int i = 0; i < kMostSteps && !(start < yearStart); ++i)
        start = newMoon(--k);
    for (int i = 0; i < kMostSteps && newMoon(k + 1) < yearStart; ++i)
        ++k;
    return k;
}

double phaseZone(const settings::CurrentLocation& loc)
{
    return std::strtod(pattern(loc.zon, 1, 2).c_str(), nullptr);
}

namespace {

SpanVerdict judgeYear(double year, double zone, const settings::Preferences& pref)
{
    const auto summerHours = [&](double day, double month) {
        return pref.summ == "1" &&
                       inSummerWindow(pref, SummerYearRule::TestedYear, year, month, day)
                   ? 1.0
                   : 0.0;
    };
    double yearStart = 0, lastDay = 0;
    jul(year, 1, 1, 0, yearStart);
    jul(year, 12, 31, 0, lastDay);
    return judgeLocalDays(yearStart, lastDay, zone, summerHours(1, 1), summerHours(31, 12));
}

} // namespace

std::string phaseYearRefusal(const std::string& yearBoxText, const settings::CurrentLocation& loc,
                             const settings::Preferences& pref, bool english)
{
    const bool overflows = settings::lenientNumberOverflows(yearBoxText);
    const double year = phaseYear(yearBoxText);
    const double zone = phaseZone(loc);
    const SpanVerdict why = overflows ? SpanVerdict{SpanCause::Year} : judgeYear(year, zone, pref);
    if (why.computable())
        return {};
    // A number too large to be read is named as it was typed.
    std::string typed = yearBoxText;
    typed.erase(0, typed.find_first_not_of(' '));
    typed.erase(typed.find_last_not_of(' ') + 1);
    const std::string y =
        platform::numberInMessage(overflows ? typed : reportpieces::yearText(year), english);
    const std::string first = reportpieces::yearInMessage(kFirstComputableYear, english);
    const std::string last = reportpieces::yearInMessage(kLastComputableYear, english);
    const bool byZone = why.cause != SpanCause::Year;
    // Where the zone or the summer hour carries the year out, the year itself
    // lies within the span: its phases reach beyond it.
    if (english)
        return (byZone ? "The phases of the year " + y +
                             " in the Year box reach beyond the years they can be computed for:" +
                             reportpieces::spanCauseText(why, zone, true, "the year")
                       : "The year " + y +
                             " in the Year box lies beyond the years the phases can be computed "
                             "for") +
               ". Please enter a year from " + first + " to " + last + " in universal time.";
    return (byZone ? "أطوار السنة " + y + " في خانة السنة تخرج عن السنوات التي يصح لها حسابها: " +
                         reportpieces::spanCauseText(why, zone, false, "السنة")
                   : "السنة " + y + " في خانة السنة خارج السنوات التي يصح لها حساب الأطوار") +
           "، يرجى إدخال سنة من " + first + " إلى " + last + " بالتوقيت العالمي";
}

DeltaTRange phaseDeltaTRange(double year, double zone)
{
    // The earliest universal time of the year (the summer hour taken off 1
    // January too) and its latest (none taken off its end): the range holds
    // with summer time on or off.
    double yearStart = 0, yearEnd = 0, seriesStart = 0, seriesEnd = 0;
    jul(year, 1, 1, 0, yearStart);
    jul(year + 1, 1, 1, 0, yearEnd);
    jul(kFirstSeriesYear, 1, 1, 0, seriesStart);
    jul(kLastSeriesYear + 1, 1, 1, 0, seriesEnd);
    const double first = yearStart - (zone + 1) / 24;
    const double last = yearEnd - zone / 24;
    return {std::ceil((seriesStart - first) * 86400), std::floor((seriesEnd - last) * 86400)};
}

std::string phaseDeltaTRefusal(double year, double deltaTSeconds, double zone, bool english)
{
    const DeltaTRange range = phaseDeltaTRange(year, zone);
    if (range.holds(deltaTSeconds))
        return {};
    const auto shown = [&](double v) { return reportpieces::yearInMessage(v, english); };
    const std::string dT = platform::numberInMessage(plainNumber(deltaTSeconds), english);
    if (english)
        return "The Delta T of " + dT + " s in the Delta T box takes the phases of " + shown(year) +
               " beyond the years of the Sun's and the Moon's series, " + shown(kFirstSeriesYear) +
               " to " + shown(kLastSeriesYear) + " in TT: please enter a Delta T from " +
               shown(range.least) + " to " + shown(range.most) + " seconds.";
    return "قيمة Delta T البالغة " + dT + " ثانية في خانة Delta T تخرج بأطوار سنة " + shown(year) +
           " عن سنوات سلسلتي الشمس و القمر، من " + shown(kFirstSeriesYear) + " إلى " +
           shown(kLastSeriesYear) + " بتوقيت TT: يرجى إدخال قيمة من " + shown(range.least) +
           " إلى " + shown(range.most) + " ثانية";
}

MoonPhasesResult runMoonPhases(const std::string& yearBoxText, PhaseRunHost& host)
{
    MoonPhasesResult result;
    host.reset();
    host.show();
    cancelflag = 0;

    const settings::CurrentLocation loc = settings::readCurrentLocation();
    const settings::Preferences pref = settings::readPreferences();
    PhaseChoices choices = host.choices();

    const double year = phaseYear(yearBoxText);
    PhaseRunState state;
    state.pi = 3.14159265358979;
    const double rad = state.pi / 180;
    state.summ = pref.summ;
    state.min = pref.min;
    // The zone enters the instants as the report prints it, to two decimals.
    state.zone = phaseZone(loc);
    state.yearText = pattern(year, 4);

    PhaseReport report;
    writeHeader(report, loc, pref, choices, state.yearText);

    state.geocentric = choices.geocentric;
    state.ut1 = choices.ut1;
    state.deltaTSeconds = choices.deltaTSeconds;
    double k = startLunation(year, state);
    int lastQuarters = 0;
    for (int i = 1; i <= kPhaseLunations; ++i, k += 1) {
        const double share = i / 16.0 * 100;
        host.setProgress(static_cast<float>(share),
                         std::to_string(static_cast<int>(std::floor(share))) + " %");
        host.handOver();

        // Options changed during the hand-over apply from here on.
        choices = host.choices();
        state.geocentric = choices.geocentric;
        state.ut1 = choices.ut1;
        state.deltaTSeconds = choices.deltaTSeconds;

        for (int p = 0; p < 4; ++p) {
            const double kPhase = k + 0.25 * p;
            double estimate = phaseEstimate(kPhase, kPhases[p], rad);
            double localJD = 0;
            RefinePhaseInstant(state, estimate, localJD, kPhaseCodes[p]);
            std::string text;
            FormatPhaseInstant(state, localJD, text);
            result.localJD[i - 1][p] = localJD;
            result.text[i - 1][p] = text;
            if (text == "----")
                continue;
            if (state.summerMark == 1) {
                if (p == 0)
                    report.append("*");
                else
                    report.at(kPhaseColumns[p] - 1, "*");
            }
            report.at(kPhaseColumns[p], text);
            if (p == 3) {
                report.endLine();
                ++lastQuarters;
                if (lastQuarters == 4 || lastQuarters == 8)
                    report.endLine();
            }
        }
        if (cancelflag == -1)
            break;
    }

    result.cancelled = cancelflag == -1;
    writeFooter(report);
    result.reportFile = platform::programFile(kPhaseReportFile);
    result.written =
        platform::fileWriter().replaceFile(result.reportFile, report.text(), result.writeError);
    if (result.written && !result.cancelled)
        host.showReport(result.reportFile);
    host.unload();
    return result;
}

} // namespace lunar
