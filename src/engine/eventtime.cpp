#include "eventtime.h"

std::string EventTime::markerText() const
{
    switch (marker) {
    case TimeMarker::None:
        return {};
    case TimeMarker::NoEvent:
        return "----";
    case TimeMarker::Up:
        return "Up";
    case TimeMarker::Down:
        return "Down";
    case TimeMarker::Bright:
        return "Bright";
    case TimeMarker::Dark:
        return "Dark";
    }
    return {};
}

TimeMarker markerFromText(const std::string& text)
{
    if (text == "----")
        return TimeMarker::NoEvent;
    if (text == "Up")
        return TimeMarker::Up;
    if (text == "Down")
        return TimeMarker::Down;
    if (text == "Bright")
        return TimeMarker::Bright;
    if (text == "Dark")
        return TimeMarker::Dark;
    return TimeMarker::None;
}

bool operator==(const EventTime& a, const EventTime& b)
{
    if (a.marker != b.marker)
        return false;
    return a.isMarker() || a.hours == b.hours;
}
