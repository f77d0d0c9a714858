// Timer and the date-and-time text from a local clock. The system clock is read through
// std::chrono and the C library's reentrant local-time conversion.
#include "platform/text/clock.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <ctime>

namespace tessary {
namespace {

constexpr float kSecondsPerDay = 86400.0f;

// v written with at least `width` digits, zero-padded.
void AppendPadded(std::string& s, int v, int width) {
    char buf[16];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v < 0 ? -v : v);
    (void)ec;
    if (v < 0) s += '-';
    for (auto n = end - buf; n < width; ++n) s += '0';
    s.append(buf, end);
}

}  // namespace

LocalDateTime SystemLocalTime() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const long long milliseconds =
        duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    LocalDateTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec > 59 ? 59 : local.tm_sec;  // a leap second reads as :59
    t.millisecond = milliseconds < 0 ? 0 : static_cast<int>(milliseconds);
    return t;
}

float Timer(const LocalDateTime& now) {
    // The largest Single below 86400: 86399.999 would otherwise round up to the next midnight.
    constexpr float kLastBeforeMidnight = 86399.9921875f;
    const double seconds = now.hour * 3600.0 + now.minute * 60.0 + now.second + now.millisecond / 1000.0;
    const float timer = static_cast<float>(seconds);
    return timer > kLastBeforeMidnight ? kLastBeforeMidnight : timer;
}

float Timer(const Clock& clock) { return Timer(clock()); }

float TimerElapsed(float start, float end) {
    float elapsed = end - start;
    if (elapsed < 0.0f) elapsed += kSecondsPerDay * std::ceil(-elapsed / kSecondsPerDay);
    return elapsed;
}

std::string DateTimeText(const LocalDateTime& now) {
    std::string s;
    AppendPadded(s, now.year, 4);
    s += '-';
    AppendPadded(s, now.month, 2);
    s += '-';
    AppendPadded(s, now.day, 2);
    s += ' ';
    AppendPadded(s, now.hour, 2);
    s += ':';
    AppendPadded(s, now.minute, 2);
    s += ':';
    AppendPadded(s, now.second, 2);
    return s;
}

std::string DateTimeText(const Clock& clock) { return DateTimeText(clock()); }

}  // namespace tessary
