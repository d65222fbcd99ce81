#pragma once

// The selection menu's items: one per algorithm, in the menu's order, with
// the object name, the caption and whether it is ticked at start.

#include <array>
#include <string_view>

#include "digest/engine/algorithm.h"

namespace sumbrook::ui {

struct TAlgorithmItem {
    AlgorithmId Id;
    std::string_view ObjectName;
    std::string_view Caption; // UTF-8
    bool SelectedAtStart;
};

// The window offers its own HAVAL only, not the published one.
inline constexpr std::array<TAlgorithmItem, kAlgorithmCount - 1> kAlgorithmItems = {{
    {AlgorithmId::Crc32, "CRC32_FCS32Hash", "CRC32 / FCS32", false},
    {AlgorithmId::Haval256, "Haval256Hash", "Haval256", false},
    {AlgorithmId::Md4, "MD4Hash", "MD4", false},
    {AlgorithmId::Md5, "MD5Hash", "MD5", true},
    {AlgorithmId::Ripemd128, "RipeMD128Hash", "RipeMD128", false},
    {AlgorithmId::Ripemd160, "RipeMD160Hash", "RipeMD160", false},
    {AlgorithmId::Sha1, "SHA1Hash", "SHA1", true},
    {AlgorithmId::Sha256, "SHA256Hash", "SHA256", false},
    {AlgorithmId::Sha384, "SHA384Hash", "SHA384", false},
    {AlgorithmId::Sha512, "SHA512Hash", "SHA512", false},
    {AlgorithmId::Tiger192, "Tiger192Hash", "Tiger192", false},
}};

// What the menu has ticked when the program starts.
constexpr AlgorithmSet StartSelection()
{
    AlgorithmSet set;
    for (const TAlgorithmItem& item : kAlgorithmItems) set.Set(item.Id, item.SelectedAtStart);
    return set;
}

} // namespace sumbrook::ui
