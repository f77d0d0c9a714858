// What the window procedures of the series share around their pure kernels: the event pump that
// keeps the window alive (and Stop pressable) during a long series, throttled by time, and the
// reading of a whole number from a label's caption or a list's text.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/text/conversions.h"
#include "platform/ui/ui.h"

namespace tessary {

// Pumps the window's events at most once per interval. A series calls pumpIfDue() from its progress
// callback (per order or per block of angles) and tests runState afterwards: Stop is seen within
// about one interval, and a run that completes gives the same numbers however often it pumped.
class SeriesEventPump {
  public:
    using Clock = std::chrono::steady_clock;
    static constexpr auto kInterval = std::chrono::milliseconds(30);

    // Pumps now and starts the next interval.
    void pumpNow() {
        doEvents();
        m_last = Clock::now();
    }
    // Pumps when the interval since the last pump (or since construction) has passed.
    void pumpIfDue() {
        if (Clock::now() - m_last >= kInterval) pumpNow();
    }

  private:
    Clock::time_point m_last = Clock::now();
};

// A label's caption or a list's text as a whole number (Integer); 0 when it is none or too large.
inline int WholeNumberOf(const std::string& text) {
    const Checked<std::int16_t> v = CInt(Val(text));
    return v.ok() ? v.value : 0;
}

}  // namespace tessary
