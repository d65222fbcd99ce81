#include "workflow/progress_text.h"

#include <array>
#include <cmath>
#include <string_view>

namespace sumbrook::workflow {

namespace {

constexpr std::array<std::string_view, 7> kUnits = {"B", "KB", "MB", "GB", "TB", "PB", "EB"};
constexpr std::string_view kJoint = " · ";

} // namespace

std::string ByteCountText(std::uint64_t bytes)
{
    double value = static_cast<double>(bytes);
    std::size_t unit = 0;
    // 999.5 would round up to 1000 of the smaller unit.
    while (unit + 1 < kUnits.size() && value >= 999.5) {
        value /= 1000.0;
        ++unit;
    }
    std::string text;
    // Digits made here, not by printf: the locale's decimal comma stays out.
    if (unit == 0 || value >= 99.95) {
        text = std::to_string(std::llround(value));
    } else {
        const long long tenths = std::llround(value * 10.0);
        text = std::to_string(tenths / 10) + '.' + std::to_string(tenths % 10);
    }
    return text + ' ' + std::string(kUnits[unit]);
}

std::string BytesOfText(std::uint64_t done, std::uint64_t total)
{
    return ByteCountText(done) + " / " + ByteCountText(total);
}

std::string TimeLeftText(double seconds)
{
    const long long whole = seconds <= 0 ? 0 : static_cast<long long>(std::ceil(seconds));
    const std::string left = "剩余 ";
    if (whole < 60) return left + std::to_string(whole) + " 秒";
    if (whole < 3600) {
        const std::string minutes = std::to_string(whole / 60) + " 分";
        return whole % 60 == 0 ? left + minutes : left + minutes + ' ' + std::to_string(whole % 60) + " 秒";
    }
    const std::string hours = left + std::to_string(whole / 3600) + " 小时";
    return whole / 60 % 60 == 0 ? hours : hours + ' ' + std::to_string(whole / 60 % 60) + " 分";
}

std::string RunProgressText(std::uint64_t done, std::uint64_t total, double seconds)
{
    std::string text = BytesOfText(done, total);
    if (seconds < 0.25 || done == 0) return text + std::string(kJoint) + "剩余时间未知";
    const double speed = static_cast<double>(done) / seconds;
    const double left = done >= total ? 0.0 : static_cast<double>(total - done) / speed;
    return text + std::string(kJoint) + ByteCountText(static_cast<std::uint64_t>(std::llround(speed))) + "/秒" +
           std::string(kJoint) + TimeLeftText(left);
}

} // namespace sumbrook::workflow
