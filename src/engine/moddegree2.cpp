#include "moddegree2.h"

#include "sexagesimal.h"

void degree2(const NumberOrText& mode, const NumberOrText& style, double value, std::string& text)
{
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
