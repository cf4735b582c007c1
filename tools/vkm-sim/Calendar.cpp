#include "vkm-sim/Calendar.h"

namespace vkm::sim {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kDaysPerCentury = 36525;  // every fourth year a leap year
constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeap(int year) { return year % 4 == 0; }

int DaysInMonth(int year, int month) { return month == 2 && IsLeap(year) ? 29 : kMonthDays[month - 1]; }

int DaysInYear(int year) { return IsLeap(year) ? 366 : 365; }

}  // namespace

bool IsValid(const CalendarTime& time) {
  return time.year >= 0 && time.year <= 99 && time.month >= 1 && time.month <= 12 && time.day >= 1 &&
         time.day <= DaysInMonth(time.year, time.month) && time.hour >= 0 && time.hour <= 23 &&
         time.minute >= 0 && time.minute <= 59 && time.second >= 0 && time.second <= 59;
}

int64_t SecondsSince2000(const CalendarTime& time) {
  int64_t days = 0;
  for (int year = 0; year < time.year; ++year) days += DaysInYear(year);
  for (int month = 1; month < time.month; ++month) days += DaysInMonth(time.year, month);
  days += time.day - 1;
  return days * kSecondsPerDay + time.hour * 3600 + time.minute * 60 + time.second;
}

CalendarTime FromSecondsSince2000(int64_t seconds) {
  int64_t days = seconds / kSecondsPerDay;
  int64_t rest = seconds % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --days;
  }
  days %= kDaysPerCentury;
  if (days < 0) days += kDaysPerCentury;

  CalendarTime time;
  time.year = 0;
  while (days >= DaysInYear(time.year)) days -= DaysInYear(time.year++);
  time.month = 1;
  while (days >= DaysInMonth(time.year, time.month)) days -= DaysInMonth(time.year, time.month++);
  time.day = static_cast<int>(days) + 1;
  time.hour = static_cast<int>(rest / 3600);
  time.minute = static_cast<int>(rest / 60 % 60);
  time.second = static_cast<int>(rest % 60);
  return time;
}

}  // namespace vkm::sim
