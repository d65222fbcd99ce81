#include "digest/crc32/CRC32_FCS32.h"

#include <vector>

#include "digest/crc32/CRC32_fold.h"
#include "digest/engine/DCPbytes.h"
#include "digest/engine/DCPdispatch.h"

namespace sumbrook {

namespace {

// Slicing-by-8: table k folds a byte that still has k bytes after it in the
// 8-byte group, so one group costs eight lookups and no per-byte shifts.
constexpr std::array<std::array<std::uint32_t, 256>, 8> MakeSlicingTables()
{
    std::array<std::array<std::uint32_t, 256>, 8> t{};
    t[0] = CRC32Table;
    for (std::size_t k = 1; k < 8; ++k)
        for (std::size_t n = 0; n < 256; ++n) t[k][n] = (t[k - 1][n] >> 8) ^ CRC32Table[t[k - 1][n] & 0xFF];
    return t;
}

constexpr auto kSlice = MakeSlicingTables();

} // namespace

std::uint32_t Crc32FoldBytewise(std::uint32_t Register, std::span<const std::uint8_t> Data)
{
    for (const std::uint8_t b : Data) Register = CRC32Table[(Register ^ b) & 0xFF] ^ (Register >> 8);
    return Register;
}

namespace dcp {

std::uint32_t Crc32FoldPortable(std::uint32_t Register, std::span<const std::uint8_t> Data)
{
    const std::uint8_t* p = Data.data();
    std::size_t n = Data.size();
    while (n >= 8) {
        const std::uint32_t lo = dcp::LoadLE32(p) ^ Register;
        const std::uint32_t hi = dcp::LoadLE32(p + 4);
        Register = kSlice[7][lo & 0xFF] ^ kSlice[6][(lo >> 8) & 0xFF] ^ kSlice[5][(lo >> 16) & 0xFF] ^
                   kSlice[4][lo >> 24] ^ kSlice[3][hi & 0xFF] ^ kSlice[2][(hi >> 8) & 0xFF] ^
                   kSlice[1][(hi >> 16) & 0xFF] ^ kSlice[0][hi >> 24];
        p += 8;
        n -= 8;
    }
    return Crc32FoldBytewise(Register, {p, n});
}

#if SUMBROOK_DIGEST_X86_64
std::uint32_t Crc32FoldVpclmul(std::uint32_t Register, std::span<const std::uint8_t> Data); // CRC32_vpclmul.cpp
#endif

namespace {
using Crc32Folder = std::uint32_t (*)(std::uint32_t, std::span<const std::uint8_t>);
constexpr Kernel<Crc32Folder> kCrc32Kernels[] = {
#if SUMBROOK_DIGEST_X86_64
    {"vpclmulqdq-avx512", &CpuFeatures::Vpclmul512, &Crc32FoldVpclmul},
    {"pclmulqdq", &CpuFeatures::Pclmul, &Crc32FoldPclmul},
#endif
    {kPortableKernel, nullptr, &Crc32FoldPortable},
};
constinit KernelTable<Crc32Folder> crc32Table(kCrc32Kernels);
} // namespace

KernelSlot& Crc32Slot()
{
    return crc32Table;
}

} // namespace dcp

std::uint32_t Crc32Fold(std::uint32_t Register, std::span<const std::uint8_t> Data)
{
    return dcp::crc32Table.Get()(Register, Data);
}

Crc32Result Crc32OfSource(TByteSource* Source, const std::function<void()>& BlockRead)
{
    if (Source == nullptr) return {Crc32Outcome::OpenFailed, 0};
    std::vector<std::uint8_t> buffer(kCrc32BlockSize); // one per call, reused for every block
    std::uint32_t reg = kCrc32Preset;
    for (;;) {
        const std::ptrdiff_t got = Source->Read(buffer);
        if (got < 0) return {Crc32Outcome::ReadFailed, 0};
        reg = Crc32Fold(reg, std::span(buffer.data(), static_cast<std::size_t>(got)));
        if (BlockRead) BlockRead();
        if (got == 0) break;
    }
    return {Crc32Outcome::Checksum, ~reg};
}

} // namespace sumbrook
