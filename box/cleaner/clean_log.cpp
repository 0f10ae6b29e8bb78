#include "box/cleaner/clean_log.h"

#include <cmath>
#include <cstdio>

namespace velmo {
namespace {

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

std::u16string TwoDigits(int n) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", n);
  return Ascii(buffer);
}

}  // namespace

std::u16string CleanLogName(const LocalTime& now) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d.log", now.year, now.month,
                now.day, now.hour, now.minute, now.second);
  return Ascii(buffer);
}

std::u16string CleanLogText(CleanType type, const LocalTime& now,
                            const std::vector<std::u16string>& paths, float size_mb,
                            std::int64_t count) {
  std::u16string text = u"清理日志\r\n";
  text += type == CleanType::kNormal ? u"Type = 0 'Normal\r\n" : u"Type = 1 'Powerful\r\n";
  text += u"\r\nTime = " + Ascii(std::to_string(now.year)) + u"-" + TwoDigits(now.month) +
          u"-" + TwoDigits(now.day) + u" " + TwoDigits(now.hour) + u":" + TwoDigits(now.minute) +
          u"\r\n\r\n";
  for (const std::u16string& path : paths) text += path + u"\r\n";
  text += u"\r\n\r\n垃圾文件容量：" + FormatDecimals(size_mb, 3) + u"MB\r\n";
  text += u"垃圾文件数目：" + Ascii(std::to_string(count)) + u"项\r\n";
  return text;
}

std::u16string FormatDecimals(double value, int decimals) {
  double scale = std::pow(10.0, decimals);
  double rounded = std::round(value * scale) / scale;
  if (rounded == 0) rounded = 0;  // no "-0.000"
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, rounded);
  return Ascii(buffer);
}

std::u16string NumberText(float value) {
  if (value == 0) return u"0";  // never "-0"
  char buffer[64];
  // %G drops trailing zeros and writes large and tiny numbers as "1.234568E+07".
  std::snprintf(buffer, sizeof buffer, "%.7G", static_cast<double>(value));
  return Ascii(buffer);
}

float Megabytes(std::uint64_t bytes) {
  return static_cast<float>(static_cast<double>(bytes) / 1048576.0);
}

}  // namespace velmo
