// A value that holds either a number or a text, for the few arguments that
// callers pass either way (the precision code read from the preferences as the
// text "1", or the number 1 written in code). Comparisons follow the rules the
// procedures state: a text equals a text only when the characters agree, and
// compared with a number a text stands for the number it holds (0 when it
// holds none).
#pragma once

#include <string>

#include "settings/settingsline.h"

class NumberOrText {
public:
    NumberOrText(double number) : isText_(false), number_(number) {}
    NumberOrText(int number) : isText_(false), number_(number) {}
    NumberOrText(const char* text) : isText_(true), text_(text) {}
    NumberOrText(std::string text) : isText_(true), text_(std::move(text)) {}

    bool isText() const { return isText_; }

    // True for a text with exactly these characters; a number never matches.
    bool isText(const std::string& text) const { return isText_ && text_ == text; }

    // The value compared with a number: a text by the number it holds.
    bool equalsNumber(double number) const
    {
        return (isText_ ? settings::lenientNumber(text_) : number_) == number;
    }

private:
    bool isText_;
    std::string text_;
    double number_ = 0;
};
