#include "moddegree.h"

#include <cmath>

#include "sexagesimal.h"

void degree(const NumberOrText& mode, const NumberOrText& style, double value, std::string& text)
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
    text += "\u00b0:";
    text += p.m;
    text += "'";
    if (!p.minutesOnly) {
        text += ":";
        text += p.s;
        text += "\"";
    }
}
