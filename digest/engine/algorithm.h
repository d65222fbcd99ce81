#pragma once

// One identity per algorithm the program computes, CRC-32 included, and
// what the engine knows of each. Everything outside the engine names an
// algorithm by its AlgorithmId; captions and option names live in the
// layers that show them, keyed by it.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string_view>

namespace sumbrook {

class TDCP_hash;

namespace dcp {
class KernelSlot;
}

// In the order of the result lines: CRC-32 first, then the ten digests in
// the order of the selection list, then the published HAVAL-256/5, which
// only sumbrook-cli offers (the window's HAVAL pads with 0x80).
enum class AlgorithmId : std::uint8_t {
    Crc32,
    Sha1,
    Haval256,
    Md4,
    Ripemd128,
    Ripemd160,
    Sha256,
    Sha384,
    Sha512,
    Tiger192,
    Md5,
    HavalPublished,
};
inline constexpr std::size_t kAlgorithmCount = 12;

constexpr std::size_t IndexOf(AlgorithmId id)
{
    return static_cast<std::size_t>(id);
}

struct AlgorithmInfo {
    AlgorithmId Id;
    std::string_view Name;   // the label of its result lines
    std::size_t DigestBytes; // 4 for CRC-32
    std::size_t BlockBytes;  // what the compression takes at once; 1 for CRC-32, which folds any length
    double MBPerSecond;      // one core of the build machine, fastest kernel: to share work out by cost
    // A new hash component of the algorithm; null for CRC-32, which is a routine.
    std::unique_ptr<TDCP_hash> (*Create)();
    dcp::KernelSlot& (*Kernels)();
};

// Every algorithm, in AlgorithmId order.
const std::array<AlgorithmInfo, kAlgorithmCount>& Algorithms();
const AlgorithmInfo& InfoOf(AlgorithmId id);

// A selection of algorithms; iterates in AlgorithmId order.
class AlgorithmSet {
public:
    constexpr AlgorithmSet() = default;
    constexpr AlgorithmSet(std::initializer_list<AlgorithmId> ids)
    {
        for (const AlgorithmId id : ids) Insert(id);
    }
    static constexpr AlgorithmSet All()
    {
        AlgorithmSet set;
        set.bits_ = (1u << kAlgorithmCount) - 1;
        return set;
    }

    constexpr bool Contains(AlgorithmId id) const { return (bits_ >> IndexOf(id) & 1u) != 0; }
    constexpr void Insert(AlgorithmId id) { bits_ |= 1u << IndexOf(id); }
    constexpr void Erase(AlgorithmId id) { bits_ &= ~(1u << IndexOf(id)); }
    constexpr void Set(AlgorithmId id, bool in) { in ? Insert(id) : Erase(id); }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr std::size_t Size() const { return static_cast<std::size_t>(std::popcount(bits_)); }
    // The digests alone, CRC-32 taken out.
    constexpr AlgorithmSet Digests() const
    {
        AlgorithmSet set = *this;
        set.Erase(AlgorithmId::Crc32);
        return set;
    }
    constexpr bool operator==(const AlgorithmSet&) const = default;

    class Iterator {
    public:
        constexpr explicit Iterator(std::uint32_t bits) : bits_(bits) {}
        constexpr AlgorithmId operator*() const { return static_cast<AlgorithmId>(std::countr_zero(bits_)); }
        constexpr Iterator& operator++()
        {
            bits_ &= bits_ - 1;
            return *this;
        }
        constexpr bool operator==(const Iterator&) const = default;

    private:
        std::uint32_t bits_;
    };
    constexpr Iterator begin() const { return Iterator(bits_); }
    constexpr Iterator end() const { return Iterator(0); }

private:
    std::uint32_t bits_ = 0;
};

} // namespace sumbrook
