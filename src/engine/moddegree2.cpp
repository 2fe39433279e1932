#include "moddegree2.h"

#include <cmath>

#include "sexagesimal.h"

void degree2(const NumberOrText& mode, const NumberOrText& style, double value, std::string& text)
{
    if (!std::isfinite(value)) {
        text = "----"; // a computation that gave no number
        return;
    }
    const SexagesimalParts p = sexagesimalParts(mode, value);
    if (!style.isText("d")) {
        text = letterStyle(p, p.sign);
        return;
    }
    text = p.sign;
    text += p.d;
    text += ":";
    text += p.m;
    if (!p.minutesOnly) {
        text += ":";
        text += p.s;
    }
}
