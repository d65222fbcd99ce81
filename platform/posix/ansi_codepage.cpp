#include "platform/ansi_codepage.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "base/utf16_to_utf8.h"

namespace sumbrook::platform {

namespace {

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    // A lone surrogate has no encoding anywhere: U+FFFD, which becomes the default character.
    AppendUtf8(out, text, [](std::string& into, char16_t) { into += "\xEF\xBF\xBD"; });
    return out;
}

std::size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    return 4;
}

// The fullwidth forms of ASCII (U+FF01 to U+FF5E, the fullwidth colon of
// the result lines among them) and the ideographic space have an ASCII
// close form; everything else falls back to "?".
char BestFit(std::string_view utf8)
{
    if (utf8.size() != 3) return '?';
    const char32_t c = (static_cast<char32_t>(static_cast<unsigned char>(utf8[0]) & 0x0F) << 12) |
                       (static_cast<char32_t>(static_cast<unsigned char>(utf8[1]) & 0x3F) << 6) |
                       (static_cast<char32_t>(static_cast<unsigned char>(utf8[2]) & 0x3F));
    if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<char>(c - 0xFEE0);
    if (c == 0x3000) return ' ';
    return '?';
}

struct IconvCloser {
    void operator()(void* cd) const { ::iconv_close(static_cast<iconv_t>(cd)); }
};

std::string LocaleName()
{
    for (const char* var : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(var);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

} // namespace

std::string AnsiCodePageName()
{
    // zh_CN and zh_SG write Simplified Chinese; Windows uses code page 936 there
    // whatever the locale's own charset.
    const std::string locale = LocaleName();
    if (locale.rfind("zh_CN", 0) == 0 || locale.rfind("zh_SG", 0) == 0) return "GBK";
    // The locale is loaded on the side: the process-wide one stays as it is
    // (other threads may be using it).
    if (const locale_t loaded = ::newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(nullptr))) {
        const std::string charset = ::nl_langinfo_l(CODESET, loaded);
        ::freelocale(loaded);
        if (!charset.empty()) return charset;
    }
    // Not installed: the charset its name asks for ("de_DE.UTF-8", "ru_RU.KOI8-R@…").
    const auto dot = locale.find('.');
    if (dot != std::string::npos) {
        const std::string named = locale.substr(dot + 1, locale.find('@', dot) - dot - 1);
        if (!named.empty()) return named;
    }
    return "ASCII";
}

std::string ToAnsiCodePage(std::u16string_view text)
{
    return ToCodePage(text, AnsiCodePageName());
}

std::string ToCodePage(std::u16string_view text, const std::string& encoding)
{
    const std::string utf8 = Utf16ToUtf8(text);
    const iconv_t raw = ::iconv_open(encoding.c_str(), "UTF-8");
    if (raw == reinterpret_cast<iconv_t>(-1)) {
        // An encoding iconv does not know: keep ASCII, mark everything else.
        std::string out;
        for (std::size_t i = 0; i < utf8.size(); i += Utf8SequenceLength(static_cast<unsigned char>(utf8[i])))
            out += static_cast<unsigned char>(utf8[i]) < 0x80
                       ? utf8[i]
                       : BestFit(
                             std::string_view(utf8).substr(i, Utf8SequenceLength(static_cast<unsigned char>(utf8[i]))));
        return out;
    }
    std::unique_ptr<void, IconvCloser> cd(raw);
    std::string out(utf8.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(utf8.data());
    std::size_t inLeft = utf8.size();
    char* put = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (::iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &put, &outLeft) != static_cast<std::size_t>(-1))
            break;
        if (errno == E2BIG) {
            const std::size_t used = static_cast<std::size_t>(put - out.data());
            out.resize(out.size() * 2);
            put = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        // A character the encoding lacks (or broken input): its close form
        // where it has one, as Windows' best-fit conversion does, else the
        // default character.
        const std::size_t skip = std::min(inLeft, Utf8SequenceLength(static_cast<unsigned char>(*in)));
        const char fit = BestFit(std::string_view(in, skip));
        in += skip;
        inLeft -= skip;
        if (outLeft == 0) {
            const std::size_t used = static_cast<std::size_t>(put - out.data());
            out.resize(out.size() * 2);
            put = out.data() + used;
            outLeft = out.size() - used;
        }
        *put++ = fit;
        --outLeft;
    }
    out.resize(static_cast<std::size_t>(put - out.data()));
    return out;
}

std::optional<std::string> CodePageToUtf8(std::string_view bytes, const std::string& encoding)
{
    const iconv_t raw = ::iconv_open("UTF-8", encoding.c_str());
    if (raw == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    const std::unique_ptr<void, IconvCloser> cd(raw);
    std::string out(bytes.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* put = out.data();
    std::size_t outLeft = out.size();
    // Four UTF-8 bytes per input byte at most: E2BIG cannot happen.
    if (::iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &put, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace sumbrook::platform
