#include "checking/text_decoding.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "platform/ansi_codepage.h"

namespace sumbrook::checking {

namespace {

struct IconvCloser {
    void operator()(void* cd) const { ::iconv_close(static_cast<iconv_t>(cd)); }
};

std::optional<std::string> Decode(std::string_view bytes, const std::string& encoding)
{
    const iconv_t raw = ::iconv_open("UTF-8", encoding.c_str());
    if (raw == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    const std::unique_ptr<void, IconvCloser> cd(raw);
    std::string out(bytes.size() * 3 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* put = out.data();
    std::size_t outLeft = out.size();
    // Three UTF-8 bytes per input byte at most: E2BIG cannot happen.
    if (::iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &put, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        unsigned minimum = 0;
        if (lead < 0x80) length = 1;
        else if ((lead & 0xE0) == 0xC0) length = 2, minimum = 0x80;
        else if ((lead & 0xF0) == 0xE0) length = 3, minimum = 0x800;
        else if ((lead & 0xF8) == 0xF0) length = 4, minimum = 0x10000;
        else return false;
        if (i + length > bytes.size()) return false;
        unsigned code = length == 1 ? lead : lead & (0x7Fu >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (length > 1 && (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))) return false;
        i += length;
    }
    return true;
}

std::optional<std::string> ResultFileTextAsUtf8(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (IsValidUtf8(bytes)) return std::string(bytes);
    if (auto text = Decode(bytes, platform::AnsiCodePageName())) return text;
    return Decode(bytes, "GBK");
}

} // namespace sumbrook::checking
