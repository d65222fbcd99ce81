// The progress a person reads during a run: units, rounding, time left.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "workflow/progress_text.h"

using namespace sumbrook::workflow;

namespace {

struct Bytes {
    std::uint64_t Count;
    const char* Text;
};

TEST(ProgressText, ByteCountsRoundIntoTheRightUnit)
{
    const Bytes cases[] = {
        {0, "0 B"},
        {999, "999 B"},
        {1000, "1.0 KB"},
        {1049, "1.0 KB"},
        {1050, "1.1 KB"}, // halves round up
        {99'949, "99.9 KB"},
        {99'950, "100 KB"}, // no "100.0"
        {999'499, "999 KB"},
        {999'500, "1.0 MB"}, // never "1000 KB"
        {371'000'000, "371 MB"},
        {1'000'000'000, "1.0 GB"},
        {2'147'483'648, "2.1 GB"},
        {5'000'000'000'000, "5.0 TB"},
        {UINT64_MAX, "18.4 EB"},
    };
    for (const Bytes& c : cases) EXPECT_EQ(ByteCountText(c.Count), c.Text) << c.Count;
    EXPECT_EQ(BytesOfText(1'000'000'000, 2'147'483'648), "1.0 GB / 2.1 GB");
}

TEST(ProgressText, TimeLeftIsRoundedUpAndGrouped)
{
    const std::pair<double, const char*> cases[] = {
        {-1.0, "剩余 0 秒"}, {0.0, "剩余 0 秒"},        {0.2, "剩余 1 秒"},      {59.0, "剩余 59 秒"},
        {59.5, "剩余 1 分"}, {125.0, "剩余 2 分 5 秒"}, {3600.0, "剩余 1 小时"}, {3725.0, "剩余 1 小时 2 分"},
    };
    for (const auto& [seconds, text] : cases) EXPECT_EQ(TimeLeftText(seconds), text) << seconds;
}

TEST(ProgressText, WholeRunHasSpeedAndTimeLeftOnceKnown)
{
    // 1 GB in 2.7 s of 2.1 GB: 371 MB/s, 3.1 s to go.
    EXPECT_EQ(RunProgressText(1'000'000'000, 2'147'483'648, 2.7), "1.0 GB / 2.1 GB · 370 MB/秒 · 剩余 4 秒");
    EXPECT_EQ(RunProgressText(1'000'000'000, 2'000'000'000, 2.0), "1.0 GB / 2.0 GB · 500 MB/秒 · 剩余 2 秒");
    EXPECT_EQ(RunProgressText(2'000, 2'000, 1.0), "2.0 KB / 2.0 KB · 2.0 KB/秒 · 剩余 0 秒");
    // Too early, or nothing read yet: no speed to tell.
    EXPECT_EQ(RunProgressText(5'000'000, 10'000'000, 0.1), "5.0 MB / 10.0 MB · 剩余时间未知");
    EXPECT_EQ(RunProgressText(0, 10'000'000, 5.0), "0 B / 10.0 MB · 剩余时间未知");
}

} // namespace
