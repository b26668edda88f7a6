#include "platform/base/ctime.h"

#include "platform/base/clock.h"

namespace win {

CTime::CTime(int year, int month, int day, int hour, int minute, int second)
{
  std::tm parts{};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  parts.tm_sec = second;
  parts.tm_isdst = -1;
  m_time = std::mktime(&parts);
}

CTime CTime::GetCurrentTime()
{
  return CTime(vetra::WallClockNow());
}

std::tm CTime::Local() const
{
  std::tm parts{};
  localtime_r(&m_time, &parts);
  return parts;
}

}  // namespace win
