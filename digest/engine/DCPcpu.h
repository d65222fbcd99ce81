#pragma once

// The processor features the digest kernels need, detected once per process.

#if defined(__x86_64__) || defined(_M_X64)
#define SUMBROOK_DIGEST_X86_64 1
#else
#define SUMBROOK_DIGEST_X86_64 0
#endif

namespace sumbrook::dcp {

// Each flag means the instructions exist and the operating system saves the
// registers they use.
struct CpuFeatures {
    bool ShaNi = false;      // SHA extensions with SSSE3 and SSE4.1
    bool Pclmul = false;     // PCLMULQDQ with SSE4.1
    bool Bmi1 = false;       // BMI1 (andn, bextr)
    bool Avx2Bmi2 = false;   // AVX2, BMI1 and BMI2
    bool Avx512 = false;     // AVX-512 F, VL and BW
    bool Vpclmul512 = false; // VPCLMULQDQ on 512-bit registers (with Avx512)
};

const CpuFeatures& DetectedCpu();

} // namespace sumbrook::dcp
