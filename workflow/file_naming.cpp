#include "workflow/file_naming.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cmath>

#include "base/utf16_to_utf8.h"

namespace sumbrook::workflow {

QString FileNameOf(const QString& path)
{
#if defined(_WIN32)
    const qsizetype cut = std::max(path.lastIndexOf(u'\\'), path.lastIndexOf(u':'));
#else
    const qsizetype cut = path.lastIndexOf(u'/');
#endif
    return path.mid(cut + 1);
}

QString SizeText(std::uint64_t bytes)
{
    const double hundredths = static_cast<double>(bytes) / 1024.0 * 100.0;
    const double n = std::nearbyint(hundredths); // the default rounding sends ties to even
    // At most 15 significant digits, never an exponent: decimals give way to
    // a long whole part, and past 15 whole digits the whole part is rounded.
    const double kilobytes = n / 100.0;
    const int wholeDigits = kilobytes < 1.0 ? 1 : static_cast<int>(std::floor(std::log10(kilobytes))) + 1;
    double shown = kilobytes;
    if (wholeDigits > 15) {
        const double unit = std::pow(10.0, wholeDigits - 15);
        shown = std::nearbyint(kilobytes / unit) * unit;
    }
    QString text = QString::number(shown, 'f', std::clamp(15 - wholeDigits, 0, 2));
    if (text.contains(u'.')) {
        while (text.endsWith(u'0')) text.chop(1);
        if (text.endsWith(u'.')) text.chop(1);
    }
    text.replace(u'.', QLocale::system().decimalPoint());
    return text + QStringLiteral("KB");
}

QString Getname(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first].unicode() <= 0x20) ++first;
    while (last > first && text[last - 1].unicode() <= 0x20) --last;
    QString t = text.mid(first, last - first);
    for (QChar& c : t)
        if (c >= u'A' && c <= u'Z') c = QChar(c.unicode() + (u'a' - u'A'));

    const qsizetype p = t.indexOf(u'.') + 1; // 1-based, 0 when absent
    if (t.size() - p > 3) {
        const qsizetype q = t.indexOf(QStringLiteral(".exe ")) + 1;
        return t.left(q + 3);
    }
    return t.left(p + 3);
}

namespace {

constexpr char16_t kKeptByteBase = 0xDC00; // U+DC80..U+DCFF stand for the bytes 0x80..0xFF

bool IsKeptByte(char16_t c, bool pairedWithHigh)
{
    return c >= 0xDC80 && c <= 0xDCFF && !pairedWithHigh;
}

} // namespace

std::string NativePath(const QString& path)
{
#if defined(_WIN32)
    return path.toStdString(); // UTF-8; the Win32 side widens it again
#else
    std::string bytes;
    // A kept byte (a lone U+DC80..U+DCFF) is that byte again; any other
    // lone surrogate cannot come from a file name and is written as U+FFFD.
    AppendUtf8(bytes, std::u16string_view(reinterpret_cast<const char16_t*>(path.utf16()), static_cast<std::size_t>(path.size())),
               [](std::string& into, char16_t c) {
                   if (c >= 0xDC80 && c <= 0xDCFF)
                       into += static_cast<char>(c - kKeptByteBase);
                   else
                       into += "\xEF\xBF\xBD";
               });
    return bytes;
#endif
}

QString PathFromNative(std::string_view bytes)
{
    QString path;
    path.reserve(static_cast<qsizetype>(bytes.size()));
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned char lead = byte(i);
        std::size_t length = 0;
        char32_t c = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            length = 1, c = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, c = lead & 0x1F, least = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3, c = lead & 0x0F, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, c = lead & 0x07, least = 0x10000;
        }
        bool valid = length > 0 && i + length <= bytes.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            valid = (byte(i + k) & 0xC0) == 0x80;
            c = (c << 6) | (byte(i + k) & 0x3F);
        }
        // Overlong forms, surrogates and values past U+10FFFF are no UTF-8.
        valid = valid && c >= least && !(c >= 0xD800 && c <= 0xDFFF) && c <= 0x10FFFF;
        if (!valid) {
            path += QChar(static_cast<char16_t>(kKeptByteBase + lead));
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            path += QChar(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            path += QChar(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            path += QChar(static_cast<char16_t>(c));
        }
        i += length;
    }
    return path;
}

QString ShownText(const QString& path)
{
    QString shown = path;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const bool paired = i > 0 && shown[i - 1].isHighSurrogate();
        if (IsKeptByte(shown[i].unicode(), paired)) shown[i] = QChar(0xFFFD);
    }
    return shown;
}

} // namespace sumbrook::workflow
