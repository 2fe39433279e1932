#include "settingsline.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace settings {

namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

SettingsField SettingsField::text(std::string value)
{
    SettingsField f;
    f.kind_ = Kind::Text;
    f.text_ = std::move(value);
    return f;
}

SettingsField SettingsField::truth(bool value)
{
    SettingsField f;
    f.kind_ = Kind::Truth;
    f.truth_ = value;
    f.text_ = value ? "#TRUE#" : "#FALSE#";
    return f;
}

SettingsField SettingsField::number(double value)
{
    SettingsField f;
    f.kind_ = Kind::Number;
    f.number_ = value;
    f.text_ = formatNumber(value);
    return f;
}

SettingsField SettingsField::fromUnquoted(std::string raw)
{
    while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\t'))
        raw.pop_back();
    SettingsField f;
    if (raw.empty())
        return f;
    if (raw == "#TRUE#" || raw == "#FALSE#") {
        f = truth(raw == "#TRUE#");
        return f;
    }
    double value = 0;
    size_t used = 0;
    bool overflow = false;
    f.text_ = raw;
    if (leadingNumber(raw, value, &used, &overflow) && used == raw.size() && !overflow) {
        f.kind_ = Kind::Number;
        f.number_ = value;
    } else {
        f.kind_ = Kind::Unreadable;
    }
    return f;
}

double SettingsField::asNumber() const
{
    switch (kind_) {
    case Kind::Number:
        return number_;
    case Kind::Truth:
        return truth_ ? -1 : 0;
    case Kind::Text:
    case Kind::Unreadable: {
        double value = 0;
        return leadingNumber(text_, value) ? value : 0;
    }
    case Kind::Empty:
        break;
    }
    return 0;
}

bool SettingsField::readsAsNumber() const
{
    switch (kind_) {
    case Kind::Empty:
    case Kind::Truth:
        return true;
    case Kind::Number:
        return std::isfinite(number_);
    case Kind::Text: {
        size_t end = text_.size();
        while (end > 0 && (text_[end - 1] == ' ' || text_[end - 1] == '\t'))
            --end;
        const std::string_view trimmed(text_.data(), end);
        if (trimmed.find_first_not_of(" \t") == std::string_view::npos)
            return true;
        double value = 0;
        size_t used = 0;
        bool overflow = false;
        return leadingNumber(trimmed, value, &used, &overflow) && used == trimmed.size() &&
               !overflow;
    }
    case Kind::Unreadable:
        break;
    }
    return false;
}

bool SettingsField::readsAsTruth() const
{
    return kind_ != Kind::Unreadable && (kind_ != Kind::Number || std::isfinite(number_));
}

std::string SettingsField::asText() const
{
    return kind_ == Kind::Empty ? std::string() : text_;
}

bool SettingsField::asTruth() const
{
    switch (kind_) {
    case Kind::Truth:
        return truth_;
    case Kind::Number:
        return number_ != 0;
    case Kind::Text:
        return text_ == "#TRUE#" || text_ == "True";
    default:
        return false;
    }
}

UnwritableText::UnwritableText(const std::string& text)
    : std::invalid_argument("a settings text cannot hold a double quote: " + text)
{
}

std::string formatNumber(double value)
{
    if (value == 0 || !std::isfinite(value))
        return "0";
    // to_chars ignores the locale: the decimal point is always ".".
    char buf[64];
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 0);
        return std::string(buf, r.ptr);
    }
    // 15 significant digits, then written out without an exponent.
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
    // buf: [-]d.dddddddddddddde[+-]xx
    std::string s(buf, r.ptr);
    const bool negative = s[0] == '-';
    if (negative)
        s.erase(0, 1);
    const size_t e = s.find('e');
    const int exponent = std::atoi(s.c_str() + e + 1);
    std::string digits = s.substr(0, 1) + s.substr(2, e - 2);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out;
    const int pointAt = exponent + 1; // digits before the decimal point
    if (pointAt <= 0) {
        out = "0." + std::string(static_cast<size_t>(-pointAt), '0') + digits;
    } else if (static_cast<size_t>(pointAt) >= digits.size()) {
        out = digits + std::string(static_cast<size_t>(pointAt) - digits.size(), '0');
    } else {
        out = digits.substr(0, static_cast<size_t>(pointAt)) + "." +
              digits.substr(static_cast<size_t>(pointAt));
    }
    return negative ? "-" + out : out;
}

std::string writeSettingsLine(const std::vector<SettingsField>& fields)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        const SettingsField& f = fields[i];
        switch (f.kind()) {
        case SettingsField::Kind::Empty:
            break;
        case SettingsField::Kind::Text:
            if (f.raw().find('"') != std::string::npos)
                throw UnwritableText(f.raw());
            line += '"';
            line += f.raw();
            line += '"';
            break;
        case SettingsField::Kind::Truth:
            line += f.asTruth() ? "#TRUE#" : "#FALSE#";
            break;
        case SettingsField::Kind::Number:
            line += formatNumber(f.asNumber());
            break;
        case SettingsField::Kind::Unreadable:
            // Copied back as it was read.
            line += f.raw();
            break;
        }
    }
    line += "\r\n";
    return line;
}

SettingsLineReader::SettingsLineReader(std::string_view contents) : in_(contents) {}

void SettingsLineReader::skipBlanks()
{
    while (pos_ < in_.size() && (in_[pos_] == ' ' || in_[pos_] == '\t'))
        ++pos_;
}

bool SettingsLineReader::atEnd() const
{
    if (pendingEmpty_)
        return false;
    size_t p = pos_;
    while (p < in_.size() && (in_[p] == ' ' || in_[p] == '\t' || isLineEnd(in_[p])))
        ++p;
    return p >= in_.size();
}

bool SettingsLineReader::next(SettingsField& field)
{
    // Between fields: blanks and line ends (an empty line is no field).
    if (!pendingEmpty_) {
        while (pos_ < in_.size() && (in_[pos_] == ' ' || in_[pos_] == '\t' || isLineEnd(in_[pos_])))
            ++pos_;
        if (pos_ >= in_.size())
            return false;
    } else {
        skipBlanks();
    }
    pendingEmpty_ = false;
    flaw_ = Flaw::None;

    if (pos_ >= in_.size() || isLineEnd(in_[pos_])) {
        // A comma followed by the end of the line or the file: an empty field.
        field = SettingsField::empty();
        return true;
    }

    if (in_[pos_] == '"') {
        const size_t close = in_.find('"', pos_ + 1);
        const size_t end = close == std::string_view::npos ? in_.size() : close;
        field = SettingsField::text(std::string(in_.substr(pos_ + 1, end - pos_ - 1)));
        pos_ = close == std::string_view::npos ? in_.size() : close + 1;
        if (close == std::string_view::npos)
            flaw_ = Flaw::UnclosedQuote;
        // Anything after the closing quote up to the separator is dropped.
        while (pos_ < in_.size() && in_[pos_] != ',' && !isLineEnd(in_[pos_])) {
            if (in_[pos_] != ' ' && in_[pos_] != '\t')
                flaw_ = Flaw::AfterClosingQuote;
            ++pos_;
        }
    } else {
        size_t end = pos_;
        while (end < in_.size() && in_[end] != ',' && !isLineEnd(in_[end]))
            ++end;
        field = SettingsField::fromUnquoted(std::string(in_.substr(pos_, end - pos_)));
        pos_ = end;
    }

    if (pos_ < in_.size() && in_[pos_] == ',') {
        ++pos_;
        pendingEmpty_ = true;
    }
    return true;
}

size_t SettingsLineReader::read(std::vector<SettingsField>& fields, size_t count)
{
    fields.clear();
    fields.reserve(count);
    SettingsField f;
    while (fields.size() < count && next(f))
        fields.push_back(f);
    return fields.size();
}

namespace {

// Whether a number that from_chars found out of range is too large rather than
// too small: the decimal exponent of its first significant digit decides.
bool beyondRange(std::string_view number)
{
    long long exponent = 0;
    bool seenDigit = false, inFraction = false;
    size_t p = 0;
    if (p < number.size() && (number[p] == '-' || number[p] == '+'))
        ++p;
    for (; p < number.size() && number[p] != 'e' && number[p] != 'E'; ++p) {
        const char c = number[p];
        if (c == '.') {
            inFraction = true;
        } else if (!seenDigit && c == '0') {
            if (inFraction)
                --exponent;
        } else if (!seenDigit) {
            seenDigit = true;
            if (inFraction)
                --exponent;
        } else if (!inFraction) {
            ++exponent;
        }
    }
    if (!seenDigit)
        return false;
    if (p < number.size()) {
        ++p;
        const bool negative = p < number.size() && number[p] == '-';
        if (p < number.size() && (number[p] == '-' || number[p] == '+'))
            ++p;
        long long written = 0;
        for (; p < number.size() && isDigit(number[p]); ++p)
            written = std::min<long long>(written * 10 + (number[p] - '0'), 1'000'000'000);
        exponent += negative ? -written : written;
    }
    return exponent > 0;
}

} // namespace

bool leadingNumber(std::string_view text, double& value, size_t* used, bool* overflow)
{
    if (overflow)
        *overflow = false;
    size_t p = 0;
    while (p < text.size() && (text[p] == ' ' || text[p] == '\t'))
        ++p;
    const size_t start = p;
    if (p < text.size() && (text[p] == '+' || text[p] == '-'))
        ++p;
    size_t mantissa = 0;
    while (p < text.size() && isDigit(text[p])) {
        ++p;
        ++mantissa;
    }
    if (p < text.size() && text[p] == '.') {
        ++p;
        while (p < text.size() && isDigit(text[p])) {
            ++p;
            ++mantissa;
        }
    }
    if (mantissa == 0) {
        value = 0;
        if (used)
            *used = 0;
        return false;
    }
    if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
        size_t q = p + 1;
        if (q < text.size() && (text[q] == '+' || text[q] == '-'))
            ++q;
        if (q < text.size() && isDigit(text[q])) {
            while (q < text.size() && isDigit(text[q]))
                ++q;
            p = q;
        }
    }
    // from_chars ignores the locale, so the user's settings never change how a
    // number is read. It takes no "+" sign.
    size_t from = start;
    if (text[from] == '+')
        ++from;
    const char* first = text.data() + from;
    const char* last = text.data() + p;
    std::string withZero;
    if (*first == '.' || (*first == '-' && first + 1 < last && first[1] == '.')) {
        // ".5" and "-.5": from_chars wants a digit before the point.
        withZero.assign(first, last);
        withZero.insert(withZero[0] == '-' ? 1 : 0, "0");
        first = withZero.data();
        last = withZero.data() + withZero.size();
    }
    const auto parsed = std::from_chars(first, last, value);
    if (parsed.ec != std::errc()) {
        if (overflow && parsed.ec == std::errc::result_out_of_range)
            *overflow = beyondRange(std::string_view(first, static_cast<size_t>(last - first)));
        value = 0;
    }
    if (used)
        *used = p;
    return true;
}

namespace {

std::string withoutBlanks(std::string_view text)
{
    std::string packed;
    packed.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r')
            packed += c;
    return packed;
}

} // namespace

double lenientNumber(std::string_view text)
{
    double value = 0;
    return leadingNumber(withoutBlanks(text), value) ? value : 0;
}

bool lenientNumberOverflows(std::string_view text)
{
    double value = 0;
    bool overflow = false;
    leadingNumber(withoutBlanks(text), value, nullptr, &overflow);
    return overflow;
}

} // namespace settings
