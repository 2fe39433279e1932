// The high-latitude alternative method of the prayer-times report. Between
// 48.5 and 65 degrees north the Sun stays above the twilight angle on summer
// nights; the method then gives Fajr and Isha a fixed fraction of the night
// and smooths the year's two series so that they move by at most 5 minutes a
// day across the change between twilight times and night-fraction times,
// with a blend where the forward and the backward pass meet on 22 June.
//
// The steps are free functions over plain tables so that a test can run
// them on a small synthetic year; NightFractionMethod plugs them into the
// engine's hook points.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/eventtime.h"
#include "prayertimes.h"

namespace prayer {

// The latitudes (degrees north) between which the method takes over a run.
inline constexpr double kHighLatitudeLowest = 48.5; // not included
inline constexpr double kHighLatitudeHighest = 65;  // included

// Fraction of the night for Fajr and Isha at latitude `phi` (degrees north,
// above 48.5): the band of the first upper edge not exceeded, from 49.5 to
// 65.5 degrees in steps of one degree.
double nightFraction(double phi);

// Night-fraction Fajr and Isha of a day whose Sun never sinks to the twilight
// angle. sunrise, sunset: the event finder's results, decimal local hours,
// before any city correction or minute adjustment. A missing sunset counts as
// midnight (24 h), one in the first hour after midnight as the night after.
// The night is 24 h minus the daylight; Fajr = sunrise - night * fr and
// Isha = sunset + night * fr (may pass 24 h). Without a numeric sunrise there
// is no night to divide: both "----".
void nightFractionTimes(double fr, const EventTime& sunrise, const EventTime& sunset,
                        EventTime& fajr, EventTime& isha);

// Minutes after midnight of a clock text "hh:mm" or "hh:mm:ss" (seconds
// ignored); 0 for any other text.
int clockMinutes(const std::string& text);
// "HH:MM" of a number of minutes, taken modulo one day.
std::string clockText(int minutes);
// Difference a - b of two clock texts in whole minutes, both taken as times
// of the same day (-1439 .. 1439).
int minuteDifference(const std::string& a, const std::string& b);

// One day as the gathering stores it: the texts in standard time, "----"
// and "24:00" read as midnight.
struct StoredDay {
    std::string dateText; // "dd/mm/yyyy"
    int summer = 0;       // 1: summer time in force that day
    std::string fajr, shuruq, dhuhr, asr, maghrib, isha;
    std::string mark; // "#": Fajr and Isha from the night fraction
};

// A day of the output: the stored day with the Fajr and Isha the passes
// left and the marks printed after them ("", "#", "#*", "#*F", "#*I").
struct OutputDay {
    std::string dateText;
    int summer = 0;
    std::string fajr, shuruq, dhuhr, asr, maghrib, isha;
    std::string fajrMark, ishaMark;
};

// The gathering of one computed day (its six texts filled).
StoredDay gatherDay(const HighLatitudeDay& day);

// One hand-over to the message loop between two days of a pass; false when
// the run was cancelled meanwhile.
using CarryOn = std::function<bool()>;

// The smoothing of the year `days` (day 1 = 1 January, 365 or 366 days) into
// `out` (resized to match). Day 1 and the last day are copied with empty
// marks; the forward pass runs from 2 January to 21 June, the backward pass
// from 30 December back to 22 June, where it blends. False when cancelled.
bool smoothYear(const std::vector<StoredDay>& days, std::vector<OutputDay>& out,
                const CarryOn& carryOn);

// The passes one by one, on tables indexed by the day number d = 1 .. N
// (element d - 1). `out` has the size of `days`.
// Forward: days 2 .. N - 193, each against the day before.
bool forwardPass(const std::vector<StoredDay>& days, std::vector<OutputDay>& out,
                 const CarryOn& carryOn);
// Backward: days N - 1 down to N - 192, each against the day after, with the
// blend on the day whose date is 22 June.
bool backwardPass(const std::vector<StoredDay>& days, std::vector<OutputDay>& out,
                  const CarryOn& carryOn);
// The blend on day d (22 June) between the two passes' series; fajrLimit is
// the backward pass's Fajr limit (10 or 5 minutes) at that day.
void blend(std::vector<OutputDay>& out, int d, int fajrLimit);

// The rows of a method run: Fajr and Isha back in summer time where it is in
// force, always in the minutes columns, each followed by its mark.
void writeMethodRows(PrayerReport& report, const std::vector<OutputDay>& out);

// The warning of a run above 65 degrees, in the interface language.
void highLatitudeRefusal(bool english, std::string& title, std::string& text);

// The method as the engine's hook points call it.
class NightFractionMethod : public HighLatitudeMethod {
public:
    bool brightFajr(double latitude, const HighLatitudeDay& day, EventTime& fajr,
                    EventTime& isha) override;
    void begin(double latitude) override;
    void storeDay(const HighLatitudeDay& day) override;
    bool finish(PrayerReport& report, RunHost& host) override;

    const std::vector<StoredDay>& stored() const { return days_; }

private:
    std::vector<StoredDay> days_;
};

} // namespace prayer
