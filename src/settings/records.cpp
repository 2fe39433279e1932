#include "records.h"

#include "platform/fault.h"
#include "platform/filewriter.h"
#include "platform/programfolder.h"
#include "platform/systemreason.h"

#include <algorithm>
#include <cmath>

namespace settings {

namespace {

using F = SettingsField;

// Field i (0-based) of a read record, empty past its end.
const SettingsField& at(const std::vector<SettingsField>& f, size_t i)
{
    static const SettingsField none;
    return i < f.size() ? f[i] : none;
}

double num(const std::vector<SettingsField>& f, size_t i)
{
    return at(f, i).asNumber();
}
std::string txt(const std::vector<SettingsField>& f, size_t i)
{
    return at(f, i).asText();
}
bool tru(const std::vector<SettingsField>& f, size_t i)
{
    return at(f, i).asTruth();
}

std::optional<double> optNum(const std::vector<SettingsField>& f, size_t i)
{
    if (at(f, i).isEmpty())
        return std::nullopt;
    return at(f, i).asNumber();
}

F optField(const std::optional<double>& v)
{
    return v ? F::number(*v) : F::empty();
}

} // namespace

Preferences Preferences::defaults()
{
    Preferences p;
    p.fajang = 18;
    p.ishang = 18;
    p.smf = 4;
    p.sdf = 1;
    p.smt = 10;
    p.sdt = 1;
    p.summ = "0";
    p.elefaj = "0";
    p.sha = "1";
    p.min = "1";
    p.eng = true;
    p.eleset = "1";
    p.opttwi = "1";
    p.addasr = 0;
    p.hilat = 0;
    p.hour24 = 1;
    return p;
}

bool isTimeZone(double zon)
{
    return zon >= kFirstZone && zon <= kLastZone;
}

bool isElevation(double metres)
{
    return metres >= kLowestElevation && metres <= kHighestElevation;
}

bool isLatitude(double degrees, double minutes, double seconds)
{
    return std::fabs(degrees + minutes / 60 + seconds / 3600) <= kLastLatitude;
}

std::string signedHours(double hours)
{
    return (hours > 0 ? "+" : "") + formatNumber(hours);
}

double CurrentLocation::longitude() const
{
    const double v = longid + longim / 60 + longis / 3600;
    return east ? v : -v;
}

double CurrentLocation::latitude() const
{
    const double v = latid + latim / 60 + latis / 3600;
    return north ? v : -v;
}

std::vector<SettingsField> toFields(const Preferences& r)
{
    return {F::number(r.fajang), F::number(r.ishang), F::number(r.smf),    F::number(r.sdf),
            F::number(r.smt),    F::number(r.sdt),    F::number(r.subfaj), F::number(r.subsho),
            F::number(r.adddoh), F::number(r.addmag), F::text(r.summ),     F::text(r.elefaj),
            F::text(r.sha),      F::text(r.min),      F::truth(r.eng),     F::text(r.eleset),
            F::text(r.opttwi),   F::number(r.addasr), F::number(r.hilat),  F::number(r.hour24)};
}

std::vector<SettingsField> toFields(const CurrentLocation& r)
{
    return {F::text(r.locname), F::number(r.longid), F::number(r.longim), F::number(r.longis),
            F::number(r.latid), F::number(r.latim),  F::number(r.latis),  F::number(r.ele),
            F::number(r.zon),   F::truth(r.east),    F::truth(r.north),   F::truth(r.west),
            F::truth(r.south),  F::number(r.city),   F::number(r.pres),   F::number(r.temp),
            F::number(r.hum),   F::text(r.alpha)};
}

std::vector<SettingsField> toFields(const DateSelection& r)
{
    return {F::truth(r.oneday),  F::number(r.year1),  F::number(r.month1), F::number(r.day1),
            F::number(r.year2),  F::number(r.month2), F::number(r.day2),   F::number(r.fyear),
            F::number(r.fmonth), F::number(r.fday),   F::number(r.tyear),  F::number(r.tmonth),
            F::number(r.tday),   F::number(r.oyear),  F::number(r.omonth), F::number(r.oday),
            F::truth(r.period),  F::truth(r.sysdate)};
}

std::vector<SettingsField> toFields(const AlertSettings& r)
{
    return {F::number(r.beep),    F::number(r.beepmin), F::number(r.adhan),   F::number(r.popup),
            F::truth(r.dhrmecca), F::truth(r.asrmecca), F::truth(r.magmecca), F::truth(r.ishmecca)};
}

std::vector<SettingsField> toFields(const SavedLocation& r)
{
    return {F::text(r.locname),  F::number(r.latid),  F::number(r.latim),  F::number(r.latis),
            F::number(r.longid), F::number(r.longim), F::number(r.longis), optField(r.ns),
            optField(r.ew),      F::number(r.zon),    F::number(r.ele),    F::number(r.city),
            F::number(r.pres),   F::number(r.temp),   F::number(r.hum),    F::text(r.alpha)};
}

Preferences preferencesFrom(const std::vector<SettingsField>& f)
{
    Preferences r;
    r.fajang = num(f, 0);
    r.ishang = num(f, 1);
    r.smf = num(f, 2);
    r.sdf = num(f, 3);
    r.smt = num(f, 4);
    r.sdt = num(f, 5);
    r.subfaj = num(f, 6);
    r.subsho = num(f, 7);
    r.adddoh = num(f, 8);
    r.addmag = num(f, 9);
    r.summ = txt(f, 10);
    r.elefaj = txt(f, 11);
    r.sha = txt(f, 12);
    r.min = txt(f, 13);
    r.eng = tru(f, 14);
    r.eleset = txt(f, 15);
    r.opttwi = txt(f, 16);
    r.addasr = num(f, 17);
    r.hilat = num(f, 18);
    r.hour24 = num(f, 19);
    return r;
}

CurrentLocation currentLocationFrom(const std::vector<SettingsField>& f)
{
    CurrentLocation r;
    r.locname = txt(f, 0);
    r.longid = num(f, 1);
    r.longim = num(f, 2);
    r.longis = num(f, 3);
    r.latid = num(f, 4);
    r.latim = num(f, 5);
    r.latis = num(f, 6);
    r.ele = num(f, 7);
    r.zon = num(f, 8);
    r.east = tru(f, 9);
    r.north = tru(f, 10);
    r.west = tru(f, 11);
    r.south = tru(f, 12);
    r.city = num(f, 13);
    r.pres = num(f, 14);
    r.temp = num(f, 15);
    r.hum = num(f, 16);
    r.alpha = txt(f, 17);
    return r;
}

DateSelection dateSelectionFrom(const std::vector<SettingsField>& f)
{
    DateSelection r;
    r.oneday = tru(f, 0);
    r.year1 = num(f, 1);
    r.month1 = num(f, 2);
    r.day1 = num(f, 3);
    r.year2 = num(f, 4);
    r.month2 = num(f, 5);
    r.day2 = num(f, 6);
    r.fyear = num(f, 7);
    r.fmonth = num(f, 8);
    r.fday = num(f, 9);
    r.tyear = num(f, 10);
    r.tmonth = num(f, 11);
    r.tday = num(f, 12);
    r.oyear = num(f, 13);
    r.omonth = num(f, 14);
    r.oday = num(f, 15);
    r.period = tru(f, 16);
    r.sysdate = tru(f, 17);
    return r;
}

AlertSettings alertSettingsFrom(const std::vector<SettingsField>& f)
{
    AlertSettings r;
    r.beep = num(f, 0);
    r.beepmin = num(f, 1);
    r.adhan = num(f, 2);
    r.popup = num(f, 3);
    r.dhrmecca = tru(f, 4);
    r.asrmecca = tru(f, 5);
    r.magmecca = tru(f, 6);
    r.ishmecca = tru(f, 7);
    return r;
}

SavedLocation savedLocationFrom(const std::vector<SettingsField>& f)
{
    SavedLocation r;
    r.locname = txt(f, 0);
    r.latid = num(f, 1);
    r.latim = num(f, 2);
    r.latis = num(f, 3);
    r.longid = num(f, 4);
    r.longim = num(f, 5);
    r.longis = num(f, 6);
    r.ns = optNum(f, 7);
    r.ew = optNum(f, 8);
    r.zon = num(f, 9);
    r.ele = num(f, 10);
    r.city = num(f, 11);
    r.pres = num(f, 12);
    r.temp = num(f, 13);
    r.hum = num(f, 14);
    r.alpha = txt(f, 15);
    return r;
}

namespace {

// The first `count` fields of the file `name`, read from at most kRecordBytes
// of it. `fault` is set when the file cannot be read or the record does not
// end within the bound; a short file is no fault here.
std::vector<SettingsField> readLeadingFields(const std::string& name, size_t count,
                                             std::optional<platform::FileFault>& fault)
{
    std::string contents;
    bool truncated = false;
    std::vector<SettingsField> fields;
    const platform::ReadStatus status =
        platform::readFileStart(platform::programFile(name), contents, kRecordBytes, truncated);
    if (status != platform::ReadStatus::Ok) {
        fault = platform::readFault(status, name);
        return fields;
    }
    SettingsLineReader reader(contents);
    reader.read(fields, count);
    if (truncated && (fields.size() < count || !reader.fieldClosed()))
        fault = tooLarge(name);
    return fields;
}

// Whether `f` reads as the kind letter `kind` of a record's kind list.
bool fitsKind(const SettingsField& f, char kind)
{
    switch (kind) {
    case 'n':
        return f.readsAsNumber();
    case 'z':
        return f.readsAsNumber() && isTimeZone(f.asNumber());
    case 'e':
        return f.readsAsNumber() && isElevation(f.asNumber());
    case 'b':
        return f.readsAsTruth();
    default:
        return true;
    }
}

// A damaged field may be long or hold anything: a fault message shows its
// start only.
std::string fieldStart(const std::string& raw)
{
    constexpr size_t kShownBytes = 40;
    return raw.size() > kShownBytes ? raw.substr(0, kShownBytes) + "..." : raw;
}

std::string fieldWanted(char kind, bool english)
{
    if (kind == 'b')
        return english ? "a truth value (#TRUE# or #FALSE#)" : "قيمة منطقية (#TRUE# أو #FALSE#)";
    if (kind == 'z') {
        const std::string first = signedHours(kFirstZone), last = signedHours(kLastZone);
        return english ? "a number that is a time zone between " + first + " and " + last + " hours"
                       : "عدداً يمثل نطاقاً زمنياً بين " + first + " و " + last + " ساعة";
    }
    if (kind == 'e') {
        const std::string lowest = formatNumber(kLowestElevation);
        const std::string highest = formatNumber(kHighestElevation);
        return english ? "a number that is an elevation between " + lowest + " and " + highest +
                             " metres"
                       : "عدداً يمثل ارتفاعاً بين " + lowest + " و " + highest + " متر";
    }
    return english ? "a number" : "عدداً";
}

} // namespace

platform::FileFault tooLarge(const std::string& name)
{
    const std::string limit = std::to_string(kRecordBytes >> 20);
    return platform::FileFault(platform::FileFaultKind::TooLarge, name,
                               "A record runs beyond " + limit + " MB without ending.",
                               "يمتد أحد سجلاته إلى أكثر من " + limit + " ميغابايت دون أن ينتهي.");
}

void requireFieldKinds(const std::string& name, const std::vector<SettingsField>& fields,
                       std::string_view kinds, size_t record)
{
    for (size_t i = 0; i < fields.size() && i < kinds.size(); ++i) {
        if (!fitsKind(fields[i], kinds[i]))
            platform::stopProgram(malformedField(name, fields[i], kinds[i], i + 1, record));
    }
}

platform::FileFault malformedField(const std::string& name, const SettingsField& f, char kind,
                                   size_t field, size_t record)
{
    const std::string shown = fieldStart(f.raw());
    const std::string n = std::to_string(field);
    const std::string r = std::to_string(record);
    return platform::FileFault(platform::FileFaultKind::BadData, name,
                               "Field " + n + (record > 0 ? " of record " + r : "") + " holds \"" +
                                   shown + "\", which is not " + fieldWanted(kind, true) + ".",
                               "الحقل " + n + (record > 0 ? " من السجل " + r : "") + " يحوي \"" +
                                   shown + "\" وهو ليس " + fieldWanted(kind, false) + ".");
}

platform::FileFault latitudeBeyondPole(const std::string& name,
                                       const std::vector<SettingsField>& fields, size_t first,
                                       size_t record)
{
    const auto shown = [&fields](size_t n) {
        return "\"" + fieldStart(at(fields, n - 1).raw()) + "\"";
    };
    const std::string from = std::to_string(first), to = std::to_string(first + 2);
    const std::string r = std::to_string(record);
    const std::string limit = formatNumber(kLastLatitude);
    return platform::FileFault(
        platform::FileFaultKind::BadData, name,
        "Fields " + from + " to " + to + (record > 0 ? " of record " + r : "") + " hold " +
            shown(first) + ", " + shown(first + 1) + " and " + shown(first + 2) +
            ": the latitude they give lies beyond " + limit + " degrees.",
        "الحقول " + from + " إلى " + to + (record > 0 ? " من السجل " + r : "") + " تحوي " +
            shown(first) + " و " + shown(first + 1) + " و " + shown(first + 2) +
            " وخط العرض الذي تعطيه يتجاوز " + limit + " درجة.");
}

std::vector<SettingsField> readRecordTolerant(const std::string& name, size_t count)
{
    std::optional<platform::FileFault> fault;
    std::vector<SettingsField> fields = readLeadingFields(name, count, fault);
    // A record cut short by the bound is damaged: none of it is taken.
    if (fault)
        fields.clear();
    return fields;
}

std::vector<SettingsField> readRecordTolerant(const std::string& name, std::string_view kinds)
{
    std::vector<SettingsField> fields = readRecordTolerant(name, kinds.size());
    for (size_t i = 0; i < fields.size(); ++i)
        if (!fitsKind(fields[i], kinds[i]))
            fields[i] = SettingsField::empty();
    return fields;
}

void peekFaultLanguage()
{
    const auto fields = readRecordTolerant("pref.zvd", kPreferencesFields);
    if (fields.size() >= 15 && fields[14].kind() == SettingsField::Kind::Truth)
        platform::setFaultLanguage(fields[14].asTruth());
}

std::vector<SettingsField> readRecordStrict(const std::string& name, size_t count)
{
    std::optional<platform::FileFault> fault;
    std::vector<SettingsField> fields = readLeadingFields(name, count, fault);
    if (fault)
        platform::stopProgram(*fault);
    if (fields.size() < count)
        platform::stopProgram(
            platform::FileFault(platform::FileFaultKind::Short, name,
                                "It holds " + std::to_string(fields.size()) + " of the " +
                                    std::to_string(count) + " fields of its record.",
                                "يحوي " + std::to_string(fields.size()) + " من حقول سجله البالغة " +
                                    std::to_string(count) + "."));
    return fields;
}

std::vector<SettingsField> readRecordStrict(const std::string& name, std::string_view kinds)
{
    std::vector<SettingsField> fields = readRecordStrict(name, kinds.size());
    requireFieldKinds(name, fields, kinds);
    return fields;
}

Preferences readPreferences(size_t fieldCount)
{
    return preferencesFrom(readRecordStrict(
        "pref.zvd", kPreferencesKinds.substr(0, std::min(fieldCount, kPreferencesKinds.size()))));
}

CurrentLocation readCurrentLocation()
{
    const std::vector<SettingsField> fields = readRecordStrict("loc.zvd", kCurrentLocationKinds);
    CurrentLocation r = currentLocationFrom(fields);
    if (!isLatitude(r.latid, r.latim, r.latis))
        platform::stopProgram(latitudeBeyondPole("loc.zvd", fields, 5));
    return r;
}

DateSelection readDateSelection()
{
    return dateSelectionFrom(readRecordStrict("date.zvd", kDateSelectionKinds));
}

AlertSettings readAlertSettings()
{
    return alertSettingsFrom(readRecordStrict("alert.zvd", kAlertSettingsKinds));
}

Preferences readPreferencesTolerant()
{
    return preferencesFrom(readRecordTolerant("pref.zvd", kPreferencesKinds));
}

CurrentLocation readCurrentLocationTolerant()
{
    return currentLocationFrom(readRecordTolerant("loc.zvd", kCurrentLocationKinds));
}

namespace {

bool isLineEndByte(char c)
{
    return c == '\r' || c == '\n';
}

// A field as a message quotes it: its start only, a control byte shown as
// "?" (a damaged field may be long or hold anything). Short, since a message
// box lays out a text of several lines whole only while no line wraps.
std::string shownField(const std::string& raw)
{
    constexpr size_t kShownBytes = 20;
    std::string shown = raw.substr(0, kShownBytes);
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20)
            c = '?';
    if (raw.size() > kShownBytes)
        shown += "...";
    return shown;
}

// Reads one line of loc.txt (`text`, its line end left out) as a place, or
// says in `line` what keeps it from being one.
void readPlaceLine(std::string_view text, size_t number, SavedLocationLine& line)
{
    if (text.find_first_not_of(" \t") == std::string_view::npos) {
        line.kind = SavedLocationLine::Kind::Blank;
        return;
    }
    const std::string n = std::to_string(number);
    const std::string count = std::to_string(kSavedLocationFields);
    const auto damaged = [&line](std::string english, std::string arabic) {
        line.kind = SavedLocationLine::Kind::Damaged;
        line.whyEnglish = std::move(english);
        line.whyArabic = std::move(arabic);
    };
    SettingsLineReader reader(text);
    std::vector<SettingsField> fields;
    SettingsField f;
    // One field more than a place has is enough to tell that it has too many.
    while (fields.size() <= kSavedLocationFields && reader.next(f)) {
        const std::string k = std::to_string(fields.size() + 1);
        if (reader.flaw() == SettingsLineReader::Flaw::UnclosedQuote)
            return damaged("Line " + n + ": the text of field " + k + " has no closing quote (\").",
                           "السطر " + n + ": نص الحقل " + k + " لا تغلقه علامة التنصيص (\").");
        if (reader.flaw() == SettingsLineReader::Flaw::AfterClosingQuote)
            return damaged("Line " + n + ": field " + k + " goes on after its closing quote (\").",
                           "السطر " + n + ": الحقل " + k +
                               " يستمر بعد علامة التنصيص التي تغلقه (\").");
        fields.push_back(f);
    }
    if (fields.size() > kSavedLocationFields)
        return damaged("Line " + n + " holds more than the " + count + " fields of a location.",
                       "السطر " + n + " يحوي أكثر من حقول الموقع البالغة " + count + ".");
    if (fields.size() < kSavedLocationFields)
        return damaged("Line " + n + " holds " + std::to_string(fields.size()) + " of the " +
                           count + " fields of a location.",
                       "السطر " + n + " يحوي " + std::to_string(fields.size()) +
                           " من حقول الموقع البالغة " + count + ".");
    for (size_t i = 0; i < fields.size(); ++i) {
        if (!fitsKind(fields[i], kSavedLocationKinds[i])) {
            const std::string k = std::to_string(i + 1);
            const std::string shown = shownField(fields[i].raw());
            return damaged("Line " + n + ": field " + k + " is not " +
                               fieldWanted(kSavedLocationKinds[i], true) + ": \"" + shown + "\".",
                           "السطر " + n + ": الحقل " + k + " ليس " +
                               fieldWanted(kSavedLocationKinds[i], false) + ": \"" + shown + "\".");
        }
    }
    line.kind = SavedLocationLine::Kind::Place;
    line.place = savedLocationFrom(fields);
}

} // namespace

std::vector<SavedLocation> SavedLocationsFile::places() const
{
    std::vector<SavedLocation> list;
    for (const SavedLocationLine& line : lines)
        if (line.kind == SavedLocationLine::Kind::Place)
            list.push_back(line.place);
    return list;
}

std::vector<size_t> SavedLocationsFile::damagedLines() const
{
    std::vector<size_t> numbers;
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == SavedLocationLine::Kind::Damaged)
            numbers.push_back(i + 1);
    return numbers;
}

size_t SavedLocationsFile::removePlaces(const std::string& name)
{
    return std::erase_if(lines, [&name](const SavedLocationLine& line) {
        return line.kind == SavedLocationLine::Kind::Place && line.place.locname == name;
    });
}

bool SavedLocationsFile::appendPlace(const SavedLocation& place, std::string& whyEnglish,
                                     std::string& whyArabic)
{
    std::string text;
    bool writable = true;
    try {
        text = writeSettingsLine(toFields(place));
        text.resize(text.size() - 2); // the CR LF the settings line ends with
    } catch (const UnwritableText&) {
        writable = false;
    }
    if (!writable || text.find_first_of("\r\n") != std::string::npos) {
        whyEnglish = "A text of it holds a double quote or a line break.";
        whyArabic = "أحد نصوصه يحوي علامة التنصيص أو فاصل أسطر.";
        return false;
    }
    SavedLocationLine line;
    readPlaceLine(text, lines.size() + 1, line);
    if (line.kind != SavedLocationLine::Kind::Place) {
        whyEnglish = line.whyEnglish;
        whyArabic = line.whyArabic;
        return false;
    }
    // The line end of the last line that has one: a file kept with LF or CR
    // alone goes on with it.
    std::string ending = "\r\n";
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        const size_t textEnd = it->bytes.find_last_not_of("\r\n");
        const std::string own = it->bytes.substr(textEnd == std::string::npos ? 0 : textEnd + 1);
        if (!own.empty()) {
            ending = own;
            break;
        }
    }
    if (!lines.empty() && !isLineEndByte(lines.back().bytes.back()))
        lines.back().bytes += ending;
    line.bytes = text + ending;
    lines.push_back(std::move(line));
    return true;
}

std::string SavedLocationsFile::contents() const
{
    std::string out;
    for (const SavedLocationLine& line : lines)
        out += line.bytes;
    return out;
}

bool readSavedLocationsFile(SavedLocationsFile& file, std::optional<platform::FileFault>* why)
{
    file.lines.clear();
    std::string contents;
    bool truncated = false;
    const platform::ReadStatus status = platform::readFileStart(
        platform::programFile("loc.txt"), contents, kSavedLocationsBytes, truncated);
    if (status == platform::ReadStatus::Missing)
        return true;
    auto fail = [why, &file](platform::FileFault fault) {
        file.lines.clear();
        if (why)
            why->emplace(std::move(fault));
        return false;
    };
    if (status != platform::ReadStatus::Ok)
        return fail(platform::readFault(status, "loc.txt"));
    if (truncated) {
        const std::string limit = std::to_string(kSavedLocationsBytes >> 20);
        return fail(platform::FileFault(platform::FileFaultKind::TooLarge, "loc.txt",
                                        "It runs beyond " + limit + " MB.",
                                        "يمتد إلى أكثر من " + limit + " ميغابايت."));
    }
    size_t start = 0;
    while (start < contents.size()) {
        size_t end = start;
        while (end < contents.size() && !isLineEndByte(contents[end]))
            ++end;
        if (end - start > kRecordBytes)
            return fail(tooLarge("loc.txt"));
        size_t next = end;
        if (next < contents.size())
            next +=
                contents[next] == '\r' && next + 1 < contents.size() && contents[next + 1] == '\n'
                    ? 2
                    : 1;
        SavedLocationLine line;
        line.bytes = contents.substr(start, next - start);
        readPlaceLine(std::string_view(contents).substr(start, end - start), file.lines.size() + 1,
                      line);
        file.lines.push_back(std::move(line));
        start = next;
    }
    return true;
}

std::string damagedLinesMessage(const SavedLocationsFile& file, bool english)
{
    std::vector<const SavedLocationLine*> damaged;
    for (const SavedLocationLine& line : file.lines)
        if (line.kind == SavedLocationLine::Kind::Damaged)
            damaged.push_back(&line);
    if (damaged.empty())
        return {};
    const std::string name = platform::pathInMessage("loc.txt", english);
    const bool one = damaged.size() == 1;
    const std::string count = std::to_string(damaged.size());
    std::string text;
    if (english)
        text = one ? "The file " + name + " holds a line that is not a location:"
                   : "The file " + name + " holds " + count + " lines that are not locations:";
    else
        text = one ? "الملف " + name + " يحوي سطراً ليس موقعاً:"
                   : "الملف " + name + " يحوي أسطراً ليست مواقع، عددها " + count + ":";
    // A file of many damaged lines would make a message beyond the screen.
    constexpr size_t kShown = 5;
    for (size_t i = 0; i < damaged.size() && i < kShown; ++i)
        text += "\n" + (english ? damaged[i]->whyEnglish : damaged[i]->whyArabic);
    if (damaged.size() > kShown) {
        const std::string more = std::to_string(damaged.size() - kShown);
        text += english ? "\nAnd " + more + " more lines." : "\nوأسطر أخرى عددها " + more + ".";
    }
    if (english)
        text += one ? "\nIt is kept in the file as it is, and it is not listed."
                    : "\nThey are kept in the file as they are, and they are not listed.";
    else
        text += one ? "\nسيبقى في الملف كما هو، ولن يظهر في القائمة."
                    : "\nستبقى في الملف كما هي، ولن تظهر في القائمة.";
    return text;
}

bool readSavedLocations(std::vector<SavedLocation>& list, std::optional<platform::FileFault>* why)
{
    SavedLocationsFile file;
    const bool read = readSavedLocationsFile(file, why);
    list = file.places();
    return read;
}

std::vector<SavedLocation> readSavedLocations()
{
    std::vector<SavedLocation> list;
    readSavedLocations(list);
    return list;
}

SaveResult writeRecord(const std::string& name, const std::vector<SettingsField>& fields)
{
    std::string line;
    try {
        line = writeSettingsLine(fields);
    } catch (const UnwritableText& e) {
        return {false, e.what()};
    }
    SaveResult result;
    if (!platform::fileWriter().replaceFile(platform::programFile(name), line, result.error))
        result.ok = false;
    return result;
}

SaveResult writePreferences(const Preferences& r)
{
    return writeRecord("pref.zvd", toFields(r));
}

SaveResult writeCurrentLocation(const CurrentLocation& r)
{
    return writeRecord("loc.zvd", toFields(r));
}

SaveResult writeDateSelection(const DateSelection& r)
{
    return writeRecord("date.zvd", toFields(r));
}

SaveResult writeAlertSettings(const AlertSettings& r)
{
    return writeRecord("alert.zvd", toFields(r));
}

SaveResult writeSavedLocationsFile(const SavedLocationsFile& file)
{
    SaveResult result;
    if (!platform::fileWriter().replaceFile(platform::programFile("loc.txt"), file.contents(),
                                            result.error))
        result.ok = false;
    return result;
}

SaveResult writeSavedLocations(const std::vector<SavedLocation>& list)
{
    std::string contents;
    try {
        for (const SavedLocation& r : list)
            contents += writeSettingsLine(toFields(r));
    } catch (const UnwritableText& e) {
        return {false, e.what()};
    }
    SaveResult result;
    if (!platform::fileWriter().replaceFile(platform::programFile("loc.txt"), contents,
                                            result.error))
        result.ok = false;
    return result;
}

} // namespace settings
