#include "digest/engine/DCPcpu.h"

#if SUMBROOK_DIGEST_X86_64
#if defined(_MSC_VER)
#include <intrin.h>
#else
#include <cpuid.h>
#endif
#include <cstdint>
#endif

namespace sumbrook::dcp {

namespace {

#if SUMBROOK_DIGEST_X86_64

struct CpuidRegs {
    std::uint32_t eax = 0, ebx = 0, ecx = 0, edx = 0;
};

CpuidRegs Cpuid(std::uint32_t leaf, std::uint32_t subleaf)
{
    CpuidRegs r;
#if defined(_MSC_VER)
    int out[4];
    __cpuidex(out, static_cast<int>(leaf), static_cast<int>(subleaf));
    r = {static_cast<std::uint32_t>(out[0]), static_cast<std::uint32_t>(out[1]), static_cast<std::uint32_t>(out[2]),
         static_cast<std::uint32_t>(out[3])};
#else
    __cpuid_count(leaf, subleaf, r.eax, r.ebx, r.ecx, r.edx);
#endif
    return r;
}

// XCR0: which register files the operating system saves on a context switch.
#if defined(_MSC_VER)
std::uint64_t EnabledRegisterState()
{
    return _xgetbv(0);
}
#else
__attribute__((target("xsave"))) std::uint64_t EnabledRegisterState()
{
    return __builtin_ia32_xgetbv(0);
}
#endif

bool Bit(std::uint32_t word, int n)
{
    return (word >> n) & 1u;
}

CpuFeatures Detect()
{
    CpuFeatures f;
    if (Cpuid(0, 0).eax < 7) return f;
    const CpuidRegs l1 = Cpuid(1, 0);
    const CpuidRegs l7 = Cpuid(7, 0);
    const bool ssse3 = Bit(l1.ecx, 9), sse41 = Bit(l1.ecx, 19), pclmul = Bit(l1.ecx, 1);
    const bool osxsave = Bit(l1.ecx, 27), avx = Bit(l1.ecx, 28);
    const std::uint64_t xcr0 = osxsave ? EnabledRegisterState() : 0;
    const bool ymmSaved = (xcr0 & 0x6) == 0x6;   // SSE and AVX state
    const bool zmmSaved = (xcr0 & 0xE6) == 0xE6; // plus opmask and both ZMM halves
    const bool bmi1 = Bit(l7.ebx, 3), avx2 = Bit(l7.ebx, 5), bmi2 = Bit(l7.ebx, 8);
    const bool avx512f = Bit(l7.ebx, 16), sha = Bit(l7.ebx, 29);
    const bool avx512bw = Bit(l7.ebx, 30), avx512vl = Bit(l7.ebx, 31);
    const bool vpclmul = Bit(l7.ecx, 10);

    f.ShaNi = sha && ssse3 && sse41;
    f.Pclmul = pclmul && sse41;
    f.Bmi1 = bmi1;
    f.Avx2Bmi2 = avx && avx2 && bmi1 && bmi2 && ymmSaved;
    f.Avx512 = f.Avx2Bmi2 && avx512f && avx512vl && avx512bw && zmmSaved;
    f.Vpclmul512 = f.Avx512 && f.Pclmul && vpclmul;
    return f;
}

#else

CpuFeatures Detect()
{
    return {};
}

#endif

} // namespace

const CpuFeatures& DetectedCpu()
{
    static const CpuFeatures features = Detect();
    return features;
}

} // namespace sumbrook::dcp
