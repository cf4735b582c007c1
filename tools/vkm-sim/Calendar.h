#pragma once

#include <cstdint>
#include <optional>

namespace vkm::sim {

// A date and time as the controller keeps it: two-digit year within
// 2000..2099, where every year divisible by four is a leap year.
struct CalendarTime {
  int year = 0;  // 0..99
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;

  bool operator==(const CalendarTime&) const = default;
};

bool IsValid(const CalendarTime& time);

// Seconds since 2000-01-01 00:00:00; the time must be valid.
int64_t SecondsSince2000(const CalendarTime& time);
// The inverse; seconds at or beyond 2100 wrap around the century.
CalendarTime FromSecondsSince2000(int64_t seconds);

}  // namespace vkm::sim
