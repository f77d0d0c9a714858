// The clock of the runtime layer: Timer (seconds since midnight as a Single) and the text of the
// current date and time ("YYYY-MM-DD hh:mm:ss"). Both read a Clock, a function that returns the local
// date and time, so tests and callers can pass a fixed or simulated clock instead of the system's.
#pragma once

#include <functional>
#include <string>

namespace tessary {

// A local calendar date and time of day. Fields are taken as valid (month 1..12, hour 0..23, ...).
struct LocalDateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// A source of the current local date and time.
using Clock = std::function<LocalDateTime()>;

// The system's current local date and time (millisecond resolution).
LocalDateTime SystemLocalTime();

// Seconds since the midnight that begins the day of `now`, milliseconds included, as a Single
// (0 at midnight; a time that would round up to 86400 gives the largest Single below it).
float Timer(const LocalDateTime& now);
// Timer of the clock's current time; by default the system clock.
float Timer(const Clock& clock = SystemLocalTime);

// Seconds from the Timer value `start` to the later Timer value `end`: the timer restarts at
// midnight, so a negative difference has 86400 added (a run over midnight still counts up).
float TimerElapsed(float start, float end);

// "YYYY-MM-DD hh:mm:ss", every field zero-padded ("2024-03-05 07:08:09"); milliseconds are not shown.
std::string DateTimeText(const LocalDateTime& now);
// DateTimeText of the clock's current time; by default the system clock.
std::string DateTimeText(const Clock& clock = SystemLocalTime);

}  // namespace tessary
