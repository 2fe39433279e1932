// The settings line: the one-line, comma-separated form in which every
// settings file (and, field by field, every series file) is stored.
//
// Writing: fields separated by single commas; texts in double quotes with
// nothing escaped; truths as #TRUE# / #FALSE#; numbers in plain decimal with
// "." whatever the locale; a field without a value as nothing; CR LF at the end.
// Reading: blanks before a field are skipped; a field ends at a comma or at a
// line end, so a line end separates fields exactly as a comma does.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

class SettingsField {
public:
    enum class Kind { Empty, Text, Truth, Number, Unreadable };

    SettingsField() = default;
    static SettingsField text(std::string value);
    static SettingsField truth(bool value);
    static SettingsField number(double value);
    static SettingsField empty() { return {}; }

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }

    // The value as the reader wants it. An empty field gives 0, "" or false; a
    // number wanted from a text takes the number the text holds; a text wanted
    // from an unquoted field is the field as written.
    double asNumber() const;
    std::string asText() const;
    bool asTruth() const;

    // Whether the field reads as a number: a finite number, an empty field, a
    // truth value (-1 or 0), or a text that holds a whole number and nothing
    // else (an empty text is 0). "NaN", "inf", letters and a number beyond the
    // double range do not.
    bool readsAsNumber() const;
    // Whether the field reads as a truth value: a truth, an empty field, a
    // number, or any text (a text other than "True" or "#TRUE#" is false).
    bool readsAsTruth() const;

    // The raw characters of an unquoted field as read (numbers keep their
    // written form, so "1" read unquoted still compares as the text "1").
    const std::string& raw() const { return text_; }

    // Builds a field from the characters of an unquoted field as read.
    static SettingsField fromUnquoted(std::string raw);

private:
    Kind kind_ = Kind::Empty;
    std::string text_;
    double number_ = 0;
    bool truth_ = false;
};

// A text field that cannot be written: it holds a double quote, which the
// settings line has no way to carry.
class UnwritableText : public std::invalid_argument {
public:
    explicit UnwritableText(const std::string& text);
};

// A number as the settings line writes it: integral values without a decimal
// point, others with at most 15 significant digits, never an exponent.
std::string formatNumber(double value);

// One record as a settings line, CR LF included. Throws UnwritableText when a
// text field holds a double quote.
std::string writeSettingsLine(const std::vector<SettingsField>& fields);

// Reads fields one after the other from the contents of a file.
class SettingsLineReader {
public:
    explicit SettingsLineReader(std::string_view contents);

    // Reads the next field; false at the end of the contents (no field left).
    bool next(SettingsField& field);

    // Reads `count` fields; returns how many could be read before the end.
    size_t read(std::vector<SettingsField>& fields, size_t count);

    bool atEnd() const;

    // True when the last field read ended inside the contents (at a comma or a
    // line end), so that nothing beyond them can belong to it.
    bool fieldClosed() const { return pendingEmpty_ || pos_ < in_.size(); }

    // Bytes consumed so far.
    size_t position() const { return pos_; }

    // How the last field read was formed: a text whose closing quote never
    // came (it then runs to the end of the contents), or one with more than
    // blanks between its closing quote and the separator (they are dropped).
    enum class Flaw { None, UnclosedQuote, AfterClosingQuote };
    Flaw flaw() const { return flaw_; }

private:
    void skipBlanks();
    std::string_view in_;
    size_t pos_ = 0;
    bool pendingEmpty_ = false; // a comma was read: one more field follows
    Flaw flaw_ = Flaw::None;
};

// The lenient number parse of the dialogs' boxes: blanks, tabs and line feeds
// anywhere in the text are dropped, then the number at the start is taken
// (sign, digits, ".", exponent); 0 when the text does not start with one.
double lenientNumber(std::string_view text);

// True when the lenient reading of `text` is a number beyond the double range
// ("1e309", "-1e400"): the boxes refuse it instead of taking it as 0.
bool lenientNumberOverflows(std::string_view text);

// True when `text` starts (after blanks) with a number, and `value` holds it.
// A number beyond the double range gives 0 here and sets `*overflow`.
bool leadingNumber(std::string_view text, double& value, size_t* used = nullptr,
                   bool* overflow = nullptr);

} // namespace settings
