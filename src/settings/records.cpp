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

bool isAirPressure(double mb)
{
    return mb >= 0;
}

bool isAirTemperature(double celsius)
{
    return celsius > kAbsoluteZero;
}

bool lapseRate(std::string_view text, double& value, bool* overflow)
{
    std::string pointed(text);
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    return leadingNumber(pointed, value, nullptr, overflow);
}

bool isLapseRate(std::string_view text)
{
    double value = 0;
    bool overflow = false;
    return lapseRate(text, value, &overflow) && !overflow && value != 0;
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

// The UTF-8 byte-order mark that some editors write at the start of a file.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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
    // An editor may put a byte-order mark before the record.
    std::string_view text(contents);
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    SettingsLineReader reader(text);
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
    case 'p':
        return f.readsAsNumber() && isAirPressure(f.asNumber());
    case 'c':
        return f.readsAsNumber() && isAirTemperature(f.asNumber());
    case 'a':
        return isLapseRate(f.asText());
    case 'b':
        return f.readsAsTruth();
    default:
        return true;
    }
}

// Whether the UTF-8 character at `text[at]` would reorder or hide the text
// around it in a message: a control character (C0, DEL, C1) or a mark that
// sets the direction of the text (LRM, RLM, ALM, the embeddings, overrides
// and isolates). Its length in bytes, 0 for any other character.
size_t unsafeCharacter(std::string_view text, size_t at)
{
    const auto byte = [&text](size_t i) {
        return i < text.size() ? static_cast<unsigned char>(text[i]) : 0u;
    };
    const unsigned c = byte(at);
    if (c < 0x20 || c == 0x7F)
        return 1;
    if (c == 0xC2 && byte(at + 1) >= 0x80 && byte(at + 1) <= 0x9F)
        return 2;
    if (c == 0xD8 && byte(at + 1) == 0x9C) // ALM
        return 2;
    if (c == 0xE2 && byte(at + 1) == 0x80 &&
        (byte(at + 2) == 0x8E || byte(at + 2) == 0x8F ||
         (byte(at + 2) >= 0xAA && byte(at + 2) <= 0xAE)))
        return 3;
    if (c == 0xE2 && byte(at + 1) == 0x81 && byte(at + 2) >= 0xA6 && byte(at + 2) <= 0xA9)
        return 3;
    return 0;
}

// A field as a message quotes it, in double quotes. A damaged field may be
// long or hold anything: only its first `shownBytes` are shown, cut between
// two characters and followed by "..." where the cut is, and each byte of a
// character that would reorder or hide the message around it is written
// \xNN. An Arabic message holds the quoted piece as one left-to-right run, so
// that it reads as an English one does: its start on the left, the "..." and
// the closing quote after its end, a sign before its digits.
std::string quotedField(std::string_view raw, size_t shownBytes, bool english)
{
    size_t cut = std::min(raw.size(), shownBytes);
    // Back to the start of a UTF-8 sequence (at most three bytes continue one).
    for (int back = 0; back < 3 && cut > 0 && cut < raw.size() &&
                       (static_cast<unsigned char>(raw[cut]) & 0xC0) == 0x80;
         ++back)
        --cut;
    std::string shown = "\"";
    for (size_t i = 0; i < cut;) {
        const size_t unsafe = unsafeCharacter(raw, i);
        if (unsafe == 0) {
            shown += raw[i++];
            continue;
        }
        for (size_t k = 0; k < unsafe && i < raw.size(); ++k, ++i) {
            static const char kHex[] = "0123456789ABCDEF";
            const auto b = static_cast<unsigned char>(raw[i]);
            shown += "\\x";
            shown += kHex[b >> 4];
            shown += kHex[b & 0xF];
        }
    }
    if (cut < raw.size())
        shown += "...";
    shown += "\"";
    // Isolated as a path is isolated.
    return platform::pathInMessage(shown, english);
}

// How many bytes of a field the fault message of a settings file shows.
constexpr size_t kFaultShownBytes = 40;

std::string fieldWanted(char kind, bool english)
{
    if (kind == 'b')
        return english ? "a truth value (#TRUE# or #FALSE#)" : "قيمة منطقية (#TRUE# أو #FALSE#)";
    if (kind == 'z') {
        const std::string first = platform::numberInMessage(signedHours(kFirstZone), english);
        const std::string last = platform::numberInMessage(signedHours(kLastZone), english);
        return english ? "a number that is a time zone between " + first + " and " + last + " hours"
                       : "عدداً يمثل نطاقاً زمنياً بين " + first + " و " + last + " ساعة";
    }
    if (kind == 'e') {
        const std::string lowest =
            platform::numberInMessage(formatNumber(kLowestElevation), english);
        const std::string highest = formatNumber(kHighestElevation);
        return english ? "a number that is an elevation between " + lowest + " and " + highest +
                             " metres"
                       : "عدداً يمثل ارتفاعاً بين " + lowest + " و " + highest + " متر";
    }
    // Short: a damaged line's reason must fit a line of a message box.
    if (kind == 'p')
        return english ? "a pressure of 0 mb or more" : "ضغطاً لا يقل عن 0 مل بار";
    if (kind == 'c') {
        const std::string zero = platform::numberInMessage(formatNumber(kAbsoluteZero), english);
        return english ? "a temperature above " + zero + " °C" : "حرارة أعلى من " + zero + " م";
    }
    if (kind == 'a')
        return english ? "a lapse rate other than 0" : "تغيراً للحرارة غير الصفر";
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
    const std::string n = std::to_string(field);
    const std::string r = std::to_string(record);
    return platform::FileFault(platform::FileFaultKind::BadData, name,
                               "Field " + n + (record > 0 ? " of record " + r : "") + " holds " +
                                   quotedField(f.raw(), kFaultShownBytes, true) +
                                   ", which is not " + fieldWanted(kind, true) + ".",
                               "الحقل " + n + (record > 0 ? " من السجل " + r : "") + " يحوي " +
                                   quotedField(f.raw(), kFaultShownBytes, false) + " وهو ليس " +
                                   fieldWanted(kind, false) + ".");
}

platform::FileFault latitudeBeyondPole(const std::string& name,
                                       const std::vector<SettingsField>& fields, size_t first,
                                       size_t record)
{
    const auto shown = [&fields](size_t n, bool english) {
        return quotedField(at(fields, n - 1).raw(), kFaultShownBytes, english);
    };
    const std::string from = std::to_string(first), to = std::to_string(first + 2);
    const std::string r = std::to_string(record);
    const std::string limit = formatNumber(kLastLatitude);
    return platform::FileFault(
        platform::FileFaultKind::BadData, name,
        "Fields " + from + " to " + to + (record > 0 ? " of record " + r : "") + " hold " +
            shown(first, true) + ", " + shown(first + 1, true) + " and " + shown(first + 2, true) +
            ": the latitude they give lies beyond " + limit + " degrees.",
        "الحقول " + from + " إلى " + to + (record > 0 ? " من السجل " + r : "") + " تحوي " +
            shown(first, false) + " و " + shown(first + 1, false) + " و " +
            shown(first + 2, false) + " وخط العرض الذي تعطيه يتجاوز " + limit + " درجة.");
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

// How many bytes of a field a damaged line's reason shows: few, since the
// message box lays out a text of several lines whole only while no line wraps.
constexpr size_t kLineShownBytes = 20;

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
    const auto shown = [&fields](size_t i, bool english) {
        return quotedField(fields[i].raw(), kLineShownBytes, english);
    };
    for (size_t i = 0; i < fields.size(); ++i) {
        if (!fitsKind(fields[i], kSavedLocationKinds[i])) {
            const std::string k = std::to_string(i + 1);
            // A field that is no number at all is told so, briefly: the
            // reason must fit a line of the message box.
            const char kind = kSavedLocationKinds[i] != 'a' && !fields[i].readsAsNumber()
                                  ? 'n'
                                  : kSavedLocationKinds[i];
            return damaged("Line " + n + ": field " + k + " is not " + fieldWanted(kind, true) +
                               ": " + shown(i, true) + ".",
                           "السطر " + n + ": الحقل " + k + " ليس " + fieldWanted(kind, false) +
                               ": " + shown(i, false) + ".");
        }
    }
    // Fields 2 to 4: the latitude's degrees, minutes and seconds.
    if (!isLatitude(fields[1].asNumber(), fields[2].asNumber(), fields[3].asNumber())) {
        const std::string limit = formatNumber(kLastLatitude);
        return damaged("Line " + n + ": fields 2 to 4 give a latitude beyond " + limit +
                           " degrees: " + shown(1, true) + ", " + shown(2, true) + " and " +
                           shown(3, true) + ".",
                       "السطر " + n + ": الحقول 2 إلى 4 تعطي خط عرض يتجاوز " + limit +
                           " درجة: " + shown(1, false) + " و " + shown(2, false) + " و " +
                           shown(3, false) + ".");
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
    // Read back, the place must write the very same line.
    std::string again = writeSettingsLine(toFields(line.place));
    again.resize(again.size() - 2);
    if (again != text) {
        whyEnglish = "It would not read back as it was written.";
        whyArabic = "لن يُقرأ كما كُتب.";
        return false;
    }
    if (!lines.empty() && !isLineEndByte(lines.back().bytes.back()))
        lines.back().bytes += lineEnd;
    line.bytes = text + lineEnd;
    lines.push_back(std::move(line));
    return true;
}

std::string SavedLocationsFile::contents() const
{
    std::string out = mark;
    for (const SavedLocationLine& line : lines)
        out += line.bytes;
    return out;
}

bool readSavedLocationsFile(SavedLocationsFile& file, std::optional<platform::FileFault>* why)
{
    file = SavedLocationsFile();
    std::string contents;
    bool truncated = false;
    const platform::ReadStatus status = platform::readFileStart(
        platform::programFile("loc.txt"), contents, kSavedLocationsBytes, truncated);
    if (status == platform::ReadStatus::Missing)
        return true;
    auto fail = [why, &file](platform::FileFault fault) {
        file = SavedLocationsFile();
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
    if (std::string_view(contents).starts_with(kByteOrderMark)) {
        file.mark = kByteOrderMark;
        start = kByteOrderMark.size();
    }
    while (start < contents.size()) {
        size_t end = start;
        while (end < contents.size() && !isLineEndByte(contents[end]))
            ++end;
        size_t next = end;
        if (next < contents.size())
            next +=
                contents[next] == '\r' && next + 1 < contents.size() && contents[next + 1] == '\n'
                    ? 2
                    : 1;
        SavedLocationLine line;
        line.bytes = contents.substr(start, next - start);
        if (next > end)
            file.lineEnd = contents.substr(end, next - end);
        const std::string number = std::to_string(file.lines.size() + 1);
        if (end - start > kRecordBytes) {
            // Far beyond any place the dialog writes: kept, and not read.
            const std::string limit = std::to_string(kRecordBytes >> 20);
            line.kind = SavedLocationLine::Kind::Damaged;
            line.whyEnglish = "Line " + number + " runs beyond " + limit + " MB.";
            line.whyArabic = "السطر " + number + " يمتد إلى أكثر من " + limit + " ميغابايت.";
        } else {
            readPlaceLine(std::string_view(contents).substr(start, end - start),
                          file.lines.size() + 1, line);
        }
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
        const size_t left = damaged.size() - kShown;
        const std::string more = std::to_string(left);
        if (english)
            text += left == 1 ? "\nAnd 1 more line." : "\nAnd " + more + " more lines.";
        else
            text += left == 1   ? "\nوسطر آخر."
                    : left == 2 ? "\nوسطران آخران."
                                : "\nوأسطر أخرى عددها " + more + ".";
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

} // namespace settings
