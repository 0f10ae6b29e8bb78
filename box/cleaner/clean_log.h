// The cleaner's texts: the clean log written after each scan, and the numbers as the pages show
// them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "box/platform/clock.h"

namespace velmo {

enum class CleanType { kNormal, kPowerful };

// "20261208093005.log": the date and time of `now`, 14 digits.
std::u16string CleanLogName(const LocalTime& now);
// The log's lines, each ended by CR LF: a header with the type and the time, one line for each
// path, two empty lines, the size and the count.
std::u16string CleanLogText(CleanType type, const LocalTime& now,
                            const std::vector<std::u16string>& paths, float size_mb,
                            std::int64_t count);

// `value` with exactly `decimals` decimals, rounded half away from zero: "0.000", "1.5".
std::u16string FormatDecimals(double value, int decimals);
// A single-precision number as the box writes it into a sentence: up to seven significant digits,
// no trailing zeros ("12.5", "0.3333333", "1.234568E+07").
std::u16string NumberText(float value);
// Bytes as megabytes, single precision.
float Megabytes(std::uint64_t bytes);

}  // namespace velmo
