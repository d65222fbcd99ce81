#include "workflow/file_naming.h"

#include <QFile>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace sumbrook::workflow {

QString FileNameOf(const QString& path)
{
    return FromUtf16(FileNameOf(Utf16Of(path)));
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

std::u16string_view Utf16Of(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

QString FromUtf16(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

std::string NativePath(const QString& path)
{
    return NativePath(Utf16Of(path));
}

QString PathFromNative(std::string_view bytes)
{
    return FromUtf16(Utf16FromNative(bytes));
}

QString ShownText(const QString& path)
{
    return FromUtf16(ShownText(Utf16Of(path)));
}

} // namespace sumbrook::workflow
