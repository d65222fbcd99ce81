// Text in the ANSI code page and in named code pages.

#include <gtest/gtest.h>

#include "platform/ansi_codepage.h"

using namespace sumbrook::platform;

namespace {

TEST(CodePage, NamedEncodingsConvertAndMarkWhatTheyLack)
{
    EXPECT_EQ(ToCodePage(u"a名b", "GBK"), "a\xC3\xFB"
                                          "b");
    EXPECT_EQ(ToCodePage(u"待校验：读取文件错误", "GBK"),
              "\xB4\xFD\xD0\xA3\xD1\xE9\xA3\xBA\xB6\xC1\xC8\xA1\xCE\xC4\xBC\xFE\xB4\xED\xCE\xF3");
    EXPECT_EQ(ToCodePage(u"a名b", "UTF-8"), "a\xE5\x90\x8D"
                                            "b");
    EXPECT_EQ(ToCodePage(std::u16string(5000, u'名'), "GBK").size(), 10000u);
    // Characters the code page lacks: the close form where there is one, else "?".
    EXPECT_EQ(ToCodePage(u"MD5：9001 名", "ASCII"), "MD5:9001 ?");
    EXPECT_EQ(ToCodePage(u"MD5：9001", "NO-SUCH-ENCODING"), "MD5:9001");
    EXPECT_EQ(ToCodePage(u"", "GBK"), "");
}

TEST(CodePage, AnsiCodePageIsTheNamedOne)
{
    const std::u16string text = u"CRC32_FCS32：000000 a名";
    EXPECT_EQ(ToAnsiCodePage(text), ToCodePage(text, AnsiCodePageName()));
    EXPECT_EQ(ToAnsiCodePage(u"plain ASCII"), "plain ASCII");
}

TEST(CodePage, BytesOfACodePageBackToUtf8)
{
    const std::string gbk = "a\xC3\xFB\xA3\xBA"
                            "b"; // a名：b
    EXPECT_EQ(CodePageToUtf8(gbk, "GBK"), "a\xE5\x90\x8D\xEF\xBC\x9A"
                                          "b");
    EXPECT_EQ(CodePageToUtf8(ToCodePage(u"待校验", "GBK"), "GBK"), "\xE5\xBE\x85\xE6\xA0\xA1\xE9\xAA\x8C");
    EXPECT_EQ(CodePageToUtf8("a\xC3", "GBK"), std::nullopt); // cut in the middle of a character
    EXPECT_EQ(CodePageToUtf8("\xFF\xFE", "UTF-8"), std::nullopt);
    EXPECT_EQ(CodePageToUtf8("", "GBK"), "");
}

} // namespace
