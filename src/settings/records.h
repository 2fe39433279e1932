// The five settings records and their files in the program folder:
// pref.zvd (Preferences), loc.zvd (CurrentLocation), date.zvd
// (DateSelection), alert.zvd (AlertSettings) and loc.txt (SavedLocation, one
// line per named location).
//
// The strict readers stop the program with a message naming the file when it
// is missing or shorter than its record. The tolerant readers (the
// preferences and location dialogs, the Qibla window) leave every field they
// could not read empty instead. Writers replace the whole file atomically and
// report a failure to the caller, leaving the old file as it was.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/fault.h"
#include "settingsline.h"

namespace settings {

struct Preferences {
    double fajang = 0;       // Fajr angle, degrees below the horizon
    double ishang = 0;       // Isha angle
    double smf = 0, sdf = 0; // summer-time window, first month and day
    double smt = 0, sdt = 0; // last month and day
    double subfaj = 0;       // minutes taken from Fajr
    double subsho = 0;       // minutes taken from Shuruq
    double adddoh = 0;       // minutes added to Dhuhr
    double addmag = 0;       // minutes added to Maghrib
    std::string summ;        // "1": summer time is considered
    std::string elefaj;      // state of the hidden elevation box of Fajr
    std::string sha;         // Asr: "1" Standard, "0" Hanafi
    std::string min;         // "1": times in minutes, "0": in seconds
    bool eng = false;        // interface language: true English
    std::string eleset;      // "1": the elevation affects rise and set
    std::string opttwi;      // twilight convention "1" .. "6"
    double addasr = 0;       // minutes added to Asr
    double hilat = 0;        // 1: high-latitude method on
    double hour24 = 0;       // 1: 24-hour clock, 0: 12-hour

    static Preferences defaults(); // the Default button's record (English, elevation on)
};

struct CurrentLocation {
    std::string locname;
    double longid = 0, longim = 0, longis = 0;
    double latid = 0, latim = 0, latis = 0;
    double ele = 0; // metres
    double zon = 0; // hours, east positive
    bool east = false, north = false, west = false, south = false;
    double city = 0;   // km
    double pres = 0;   // mb
    double temp = 0;   // degrees Celsius
    double hum = 0;    // percent
    std::string alpha; // lapse rate, K per metre, as typed

    double longitude() const; // degrees, east positive
    double latitude() const;  // degrees, north positive
};

struct DateSelection {
    bool oneday = false;
    double year1 = 0, month1 = 0, day1 = 0;
    double year2 = 0, month2 = 0, day2 = 0;
    double fyear = 0, fmonth = 0, fday = 0;
    double tyear = 0, tmonth = 0, tday = 0;
    double oyear = 0, omonth = 0, oday = 0;
    bool period = false;
    bool sysdate = false;
};

struct AlertSettings {
    double beep = 0;
    double beepmin = 0;
    double adhan = 0;
    double popup = 0;
    bool dhrmecca = false, asrmecca = false, magmecca = false, ishmecca = false;
};

struct SavedLocation {
    std::string locname;
    double latid = 0, latim = 0, latis = 0;
    double longid = 0, longim = 0, longis = 0;
    std::optional<double> ns; // 1 north, 0 south, empty when neither is chosen
    std::optional<double> ew; // 1 east, 0 west
    double zon = 0;
    double ele = 0;
    double city = 0;
    double pres = 0;
    double temp = 0;
    double hum = 0;
    std::string alpha;
};

// Field lists of each record, in file order (the settings line's form).
std::vector<SettingsField> toFields(const Preferences& r);
std::vector<SettingsField> toFields(const CurrentLocation& r);
std::vector<SettingsField> toFields(const DateSelection& r);
std::vector<SettingsField> toFields(const AlertSettings& r);
std::vector<SettingsField> toFields(const SavedLocation& r);

// Records from fields; missing fields at the end read as empty values.
Preferences preferencesFrom(const std::vector<SettingsField>& f);
CurrentLocation currentLocationFrom(const std::vector<SettingsField>& f);
DateSelection dateSelectionFrom(const std::vector<SettingsField>& f);
AlertSettings alertSettingsFrom(const std::vector<SettingsField>& f);
SavedLocation savedLocationFrom(const std::vector<SettingsField>& f);

inline constexpr size_t kPreferencesFields = 20;
inline constexpr size_t kCurrentLocationFields = 18;
inline constexpr size_t kDateSelectionFields = 18;
inline constexpr size_t kAlertSettingsFields = 8;
inline constexpr size_t kSavedLocationFields = 16;

// Strict readers of the program folder's files. `fieldCount` lets a reader
// take only the leading fields of the preferences (the alert program reads 17,
// 18 or 20); the file must hold at least that many. readCurrentLocation also
// stops the program when the latitude is none (isLatitude).
Preferences readPreferences(size_t fieldCount = kPreferencesFields);
CurrentLocation readCurrentLocation();
DateSelection readDateSelection();
AlertSettings readAlertSettings();

// Tolerant readers: a missing or short file leaves the fields not read empty.
Preferences readPreferencesTolerant();
CurrentLocation readCurrentLocationTolerant();
// loc.txt as its lines. Each line is one place; a line that is not (a blank
// line, or one that is no sound record: another count of fields than 16, a
// text whose quote is not closed or that has more after its closing quote, a
// field that does not read as its kind, a value the location dialog would
// refuse to save, a line beyond kRecordBytes) is kept as the bytes it was read
// as, so that an edit of the list writes it back unchanged. Sound lines keep
// their bytes too, line ends included (CR LF, LF or CR alone, none on a last
// line).
struct SavedLocationLine {
    enum class Kind { Place, Blank, Damaged };
    Kind kind = Kind::Blank;
    std::string bytes;   // the line as in the file, its line end included
    SavedLocation place; // a Place's record
    // A Damaged line: what is wrong with it, naming its line number.
    std::string whyEnglish, whyArabic;
};

struct SavedLocationsFile {
    // The UTF-8 byte-order mark an editor may have put before the first line;
    // it belongs to no line and is written back before them.
    std::string mark;
    std::vector<SavedLocationLine> lines; // lines[i] is line i + 1 of the file
    // The line end the file uses, as read: that of its last line that has
    // one, CR LF when none has. An added line takes it.
    std::string lineEnd = "\r\n";

    std::vector<SavedLocation> places() const;
    // The numbers (from 1) of the damaged lines.
    std::vector<size_t> damagedLines() const;
    // Removes the places named `name` (their bytes compared); how many went.
    size_t removePlaces(const std::string& name);
    // Adds `place` as a new last line ending in lineEnd; a last line without
    // a line end gets one first, so that the new place starts a line of its
    // own. False, and nothing added, when the line written would not read
    // back as a place that writes the same line (a text holding a double
    // quote or a line end, a value the reader takes for damage); `why...`
    // then say why.
    bool appendPlace(const SavedLocation& place, std::string& whyEnglish, std::string& whyArabic);
    // The bytes of the file.
    std::string contents() const;
};

// loc.txt line by line; a missing file has no lines. False (and no lines)
// when the file is there but is no plain file, cannot be read, or runs beyond
// kSavedLocationsBytes: such a list must not be taken for empty, or the next
// rewrite would lose it. `why`, when given, then receives the fault (its
// detail says what is wrong with the file).
bool readSavedLocationsFile(SavedLocationsFile& file,
                            std::optional<platform::FileFault>* why = nullptr);
// What tells the user that loc.txt holds damaged lines: how many there are and,
// for the first few, what is wrong with each, naming its line; empty when
// there are none.
std::string damagedLinesMessage(const SavedLocationsFile& file, bool english);

// The places of loc.txt (its sound lines), as readSavedLocationsFile reads it.
bool readSavedLocations(std::vector<SavedLocation>& list,
                        std::optional<platform::FileFault>* why = nullptr);
// The same, giving an empty list on any failure.
std::vector<SavedLocation> readSavedLocations();

// The time zones of the Earth's clocks, hours east of Greenwich: from the
// west of the date line (Baker Island, UTC-12) to the Line Islands (UTC+14).
// A zone beyond them is no place's zone: the day's times would wrap round the
// clock (and lose Asr) or, far out, leave the years the engine computes.
inline constexpr double kFirstZone = -12;
inline constexpr double kLastZone = 14;
// Whether `zon` (hours, east positive) lies from kFirstZone to kLastZone.
bool isTimeZone(double zon);
// A number of hours with its sign, as the messages name the bounds: "-12",
// "+14".
std::string signedHours(double hours);

// The heights of places on Earth, metres above sea level: from the floor of
// the deepest sea (the Challenger Deep, about -10935 m) to the edge of space
// (the Karman line). Within them the day's times follow the dip of the
// horizon; far beyond, the dip passes the Sun's noon altitude or the model
// atmosphere of the refraction has no ground, and Dhuhr comes out "Down" or
// "----" while Asr is given.
inline constexpr double kLowestElevation = -11000;
inline constexpr double kHighestElevation = 100000;
// Whether `metres` lies from kLowestElevation to kHighestElevation.
bool isElevation(double metres);

// A latitude lies within 90 degrees of the equator; beyond, the engine's
// sines and cosines make it another place (100 N the antipodal meridian's
// 80 N) without a word.
inline constexpr double kLastLatitude = 90;
// Whether degrees + minutes/60 + seconds/3600 (each of any sign, as the boxes
// take them) is a latitude no further than kLastLatitude from the equator.
bool isLatitude(double degrees, double minutes, double seconds);
// The fault of a record whose latitude fields (`first`, the degrees, and the
// two after it, counted from 1) are no latitude (see isLatitude); `record` as
// for malformedField.
platform::FileFault latitudeBeyondPole(const std::string& name,
                                       const std::vector<SettingsField>& fields, size_t first,
                                       size_t record = 0);

// The refraction's weather, as the location dialog takes it: it saves no
// negative air pressure, no temperature at or below kAbsoluteZero and no
// lapse rate of 0 (the refraction divides by the pressure's gas term and by
// the lapse rate), so that a saved place holding one is damage.
inline constexpr double kAbsoluteZero = -273; // degrees Celsius, as the dialog rounds it
// Whether `mb` is an air pressure the dialog saves (0 or more).
bool isAirPressure(double mb);
// Whether `celsius` lies above kAbsoluteZero.
bool isAirTemperature(double celsius);
// The lapse rate (K per metre) a text holds: its leading number, a decimal
// comma counting as a point. False when the text does not start with a
// number; a number beyond the range gives 0 and sets `*overflow`.
bool lapseRate(std::string_view text, double& value, bool* overflow = nullptr);
// Whether the text holds a lapse rate the dialog saves: a number other than
// 0 within the range.
bool isLapseRate(std::string_view text);

// What each field of a record must read as, one letter per field in file
// order: 'n' a number, 'z' a number that is a time zone (isTimeZone), 'e' a
// number that is an elevation (isElevation), 'p' a number that is an air
// pressure (isAirPressure), 'c' a number that is a temperature
// (isAirTemperature), 'b' a truth value, 'a' a text holding a lapse rate
// (isLapseRate), 't' anything (a text; a number or a truth then reads as its
// written form). See SettingsField::readsAsNumber.
inline constexpr std::string_view kPreferencesKinds = "nnnnnnnnnnttttbttnnn";
inline constexpr std::string_view kCurrentLocationKinds = "tnnnnnnezbbbbnnnnt";
inline constexpr std::string_view kDateSelectionKinds = "bnnnnnnnnnnnnnnnbb";
// The four Mecca fields take any truth, number or text (anything but #TRUE#
// and #FALSE# there sets no recording); a bare word is damage.
inline constexpr std::string_view kAlertSettingsKinds = "nnnnbbbb";
// A saved place must also be one the location dialog would save: see
// isAirPressure, isAirTemperature, isLapseRate (and isLatitude, which the
// reader of loc.txt applies to the three fields together).
inline constexpr std::string_view kSavedLocationKinds = "tnnnnnnnnzenpcna";

// No record that the dialogs write comes near this size; the readers take no
// more of a file than this, so a damaged file cannot fill memory or stall the
// start. A line of loc.txt beyond it is not read: it is kept as a damaged one.
inline constexpr size_t kRecordBytes = size_t(1) << 20;
// loc.txt holds one record per named place.
inline constexpr size_t kSavedLocationsBytes = size_t(64) << 20;

// Reads `count` fields of the program folder's file `name`. Stops the program
// when the file is missing, is no plain file, cannot be read, holds fewer
// fields or runs beyond kRecordBytes before the record ends.
std::vector<SettingsField> readRecordStrict(const std::string& name, size_t count);
// The same, and each field must also read as `kinds` says (one letter per
// field); a field that does not (an overflowing number, "NaN", letters where
// a number belongs) stops the program with a message naming the field.
std::vector<SettingsField> readRecordStrict(const std::string& name, std::string_view kinds);
// Up to `count` fields of the file `name`; a missing, unreadable or damaged
// file, or one shorter than that, gives fewer fields.
std::vector<SettingsField> readRecordTolerant(const std::string& name, size_t count);
// The same, with each field that does not read as `kinds` says left empty.
std::vector<SettingsField> readRecordTolerant(const std::string& name, std::string_view kinds);

// Sets the language of file-fault messages from the language field of
// pref.zvd, so that a fault found before the preferences are read in full
// still speaks the interface language. A pref.zvd that cannot be read leaves
// the language as it was.
void peekFaultLanguage();

// The fault of a file whose record runs beyond kRecordBytes.
platform::FileFault tooLarge(const std::string& name);

// The fault of a field that does not read as the kind letter `kind`; `field`
// and `record` count from 1 (`record` 0: a file of one record).
platform::FileFault malformedField(const std::string& name, const SettingsField& f, char kind,
                                   size_t field, size_t record = 0);

// Checks that each field reads as `kinds` says; stops the program naming the
// file `name`, the record (when `record` > 0) and the first field that does not.
void requireFieldKinds(const std::string& name, const std::vector<SettingsField>& fields,
                       std::string_view kinds, size_t record = 0);

// The outcome of a write: ok, or the reason it failed.
struct SaveResult {
    bool ok = true;
    std::string error;
    explicit operator bool() const { return ok; }
};

// Writers: the whole file is replaced atomically. A text holding a double
// quote is refused before anything is written.
SaveResult writePreferences(const Preferences& r);
SaveResult writeCurrentLocation(const CurrentLocation& r);
SaveResult writeDateSelection(const DateSelection& r);
SaveResult writeAlertSettings(const AlertSettings& r);
// loc.txt as read line by line and edited: each line written as its bytes.
SaveResult writeSavedLocationsFile(const SavedLocationsFile& file);

// Writes one record's line into the program folder's file `name`.
SaveResult writeRecord(const std::string& name, const std::vector<SettingsField>& fields);

} // namespace settings
