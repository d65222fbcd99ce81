// The result lines as text, and the saved file's entries made from them.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "workflow/result_entry.h"
#include "workflow/result_text.h"

using namespace sumbrook::workflow;
using sumbrook::AlgorithmId;

namespace {

TEST(ResultText, LinesOfEveryKind)
{
    EXPECT_EQ(Crc32Line(0x0000ABCDu), "CRC32_FCS32：00ABCD");
    EXPECT_EQ(Crc32Line(0x0ABCDEF0u), "CRC32_FCS32：ABCDEF0");
    EXPECT_EQ(Crc32Line(0xCBF43926u), "CRC32_FCS32：CBF43926");
    EXPECT_EQ(Crc32Line(0), "CRC32_FCS32：000000");
    const std::array<std::uint8_t, 4> bytes{0x00, 0x0F, 0xA5, 0xFF};
    EXPECT_EQ(DigestLine(AlgorithmId::Md5, bytes), "MD5：000FA5FF");
    EXPECT_EQ(DigestLine(AlgorithmId::Tiger192, bytes), "Tiger192：000FA5FF");
    EXPECT_EQ(DigestLine(AlgorithmId::Haval256, bytes), "Haval256：000FA5FF");
    EXPECT_EQ(DigestLine(AlgorithmId::Ripemd160, bytes), "RipeMD-160：000FA5FF");

    FileResult result;
    result.Values = {{AlgorithmId::Crc32, false, DigestValue::OfCrc32(0x352441C2)},
                     {AlgorithmId::Md5, false, DigestValue(bytes)}};
    EXPECT_EQ(ResultText(result), (std::vector<std::string>{"CRC32_FCS32：352441C2", "MD5：000FA5FF"}));
    // A failed pass: its error line, one standing for every digest.
    result.Values = {{AlgorithmId::Crc32, true, {}}, {AlgorithmId::Sha1, true, {}}, {AlgorithmId::Md5, true, {}}};
    EXPECT_EQ(ResultText(result), (std::vector<std::string>{"CRC32_FCS32：读取文件错误", "：读取文件错误"}));
}

TEST(ResultText, SavedEntryOfANativePath)
{
    const std::vector<std::string> lines = {"MD5：00"};
    // The name only, bytes that are no UTF-8 as U+FFFD, control characters as "?".
    EXPECT_EQ(ResultEntryOfPath("dir/a\xFF\tb", lines), u"a\uFFFD?b\r\n\tMD5：00\r\n");
    EXPECT_EQ(ResultEntryOfPath("校验.txt", lines), u"校验.txt\r\n\tMD5：00\r\n");
    EXPECT_EQ(ErrorBoxText("Permission denied"), "Permission denied.");
    EXPECT_EQ(ErrorBoxText("done."), "done.");
    EXPECT_EQ(ErrorBoxText("错误"), "错误.");
}

} // namespace
