#include "checking/text_decoding.h"

#include "platform/ansi_codepage.h"

namespace sumbrook::checking {

bool IsValidUtf8(std::string_view bytes)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        unsigned minimum = 0;
        if (lead < 0x80)
            length = 1;
        else if ((lead & 0xE0) == 0xC0)
            length = 2, minimum = 0x80;
        else if ((lead & 0xF0) == 0xE0)
            length = 3, minimum = 0x800;
        else if ((lead & 0xF8) == 0xF0)
            length = 4, minimum = 0x10000;
        else
            return false;
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

std::optional<DecodedText> ResultFileTextAsUtf8(std::string_view bytes)
{
    bytes = WithoutByteOrderMark(bytes);
    if (IsValidUtf8(bytes)) return DecodedText{std::string(bytes), {}};
    for (const std::string& encoding : {platform::AnsiCodePageName(), std::string("GBK")})
        if (auto text = platform::CodePageToUtf8(bytes, encoding)) return DecodedText{std::move(*text), encoding};
    return std::nullopt;
}

} // namespace sumbrook::checking
