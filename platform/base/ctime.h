#pragma once
// The framework's time value (seconds since 1970, read and made in local time) and file status.

#include <ctime>
#include <string>

#include "platform/base/win_types.h"

namespace win {

class CTime {
public:
  CTime() = default;
  explicit CTime(std::time_t value) : m_time(value) {}
  // Local time; out-of-range fields are normalised as mktime does.
  CTime(int year, int month, int day, int hour, int minute, int second);

  static CTime GetCurrentTime();

  std::time_t GetTime() const { return m_time; }
  int GetYear() const { return Local().tm_year + 1900; }
  int GetMonth() const { return Local().tm_mon + 1; }
  int GetDay() const { return Local().tm_mday; }
  int GetHour() const { return Local().tm_hour; }
  int GetMinute() const { return Local().tm_min; }
  int GetSecond() const { return Local().tm_sec; }
  int GetDayOfWeek() const { return Local().tm_wday + 1; }

  friend bool operator==(const CTime&, const CTime&) = default;

private:
  std::tm Local() const;
  std::time_t m_time = 0;
};

struct CFileStatus {
  CTime m_ctime;
  CTime m_mtime;
  CTime m_atime;
  ULONGLONG m_size = 0;
  BYTE m_attribute = 0;
  std::string m_szFullName;
};

}  // namespace win
