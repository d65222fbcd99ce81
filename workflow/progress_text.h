#pragma once

// A run's progress as a person reads it: "1.0 GB / 2.1 GB · 371 MB/秒 · 剩余 2 秒".
// UTF-8; sizes in decimal units, as file managers show them.

#include <cstdint>
#include <string>

namespace sumbrook::workflow {

// "512 B", "1.5 KB", "371 MB": one decimal below 100 of a unit.
std::string ByteCountText(std::uint64_t bytes);
// "1.0 GB / 2.1 GB"
std::string BytesOfText(std::uint64_t done, std::uint64_t total);
// "剩余 2 秒", "剩余 3 分 5 秒", "剩余 1 小时 2 分": whole seconds, rounded up.
std::string TimeLeftText(double seconds);
// Done of total after Seconds: the bytes, the mean speed and the time left;
// too early to tell (under a quarter second, or nothing read yet) it says
// "剩余时间未知".
std::string RunProgressText(std::uint64_t done, std::uint64_t total, double seconds);

} // namespace sumbrook::workflow
