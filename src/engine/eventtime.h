// A time of an event: decimal local hours, or a marker that says why there is
// no time that day. The engine, the reports and the windows test for a marker
// explicitly instead of comparing texts.
#pragma once

#include <string>

enum class TimeMarker {
    None,    // a time: `hours` holds it
    NoEvent, // "----": no event that day, or pushed out of the day
    Up,      // the body stays above the horizon all day
    Down,    // it stays below
    Bright,  // the Sun never sinks to the twilight angle
    Dark,    // the sky stays dark
};

struct EventTime {
    double hours = 0;
    TimeMarker marker = TimeMarker::None;

    static EventTime at(double h) { return {h, TimeMarker::None}; }
    static EventTime marked(TimeMarker m) { return {0, m}; }

    bool isMarker() const { return marker != TimeMarker::None; }
    bool is(TimeMarker m) const { return marker == m; }

    // "----", "Up", "Down", "Bright", "Dark"; empty for a time.
    std::string markerText() const;
};

// The marker of a marker text, TimeMarker::None for any other text.
TimeMarker markerFromText(const std::string& text);

bool operator==(const EventTime& a, const EventTime& b);
