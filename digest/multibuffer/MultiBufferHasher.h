#pragma once

// Many whole messages hashed at once, one SIMD lane each (MD5 or SHA-1).
//
// Messages of different lengths finish in different blocks; a lane whose
// message is done takes the next waiting one. Each message's bytes are read
// in place and must stay valid until its result has been returned.
//
// A worker holding several files in memory:
//
//     TMultiBufferHasher<MultiBufferMd5> md5;
//     while (more files) {
//         while (md5.InFlight() < 2 * md5.Width() && more files) md5.Add(next buffer, its index);
//         for (const auto& r : md5.Advance()) { report r.Digest for r.Tag; release its buffer }
//     }
//     for (const auto& r : md5.Flush()) ...
//
// Advance hashes only while every lane is busy, so it never spends a block
// on an idle lane; Flush finishes the rest. With one lane (the portable
// kernel) it hashes one message after another. One object per thread.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <span>
#include <string_view>
#include <vector>

namespace sumbrook {

struct MultiBufferMd5 {
    static constexpr std::size_t kWords = 4;
    static constexpr std::size_t kDigestBytes = 16;
};
struct MultiBufferSha1 {
    static constexpr std::size_t kWords = 5;
    static constexpr std::size_t kDigestBytes = 20;
};

template <class Algo>
class TMultiBufferHasher {
public:
    struct Result {
        std::uint64_t Tag;
        std::array<std::uint8_t, Algo::kDigestBytes> Digest;
    };

    // Takes the kernel the process chose (SUMBROOK_DIGEST_KERNEL, or the
    // widest the processor runs).
    TMultiBufferHasher();
    // Wipes the chaining values and the copied message tails.
    ~TMultiBufferHasher();
    TMultiBufferHasher(const TMultiBufferHasher&) = delete;
    TMultiBufferHasher& operator=(const TMultiBufferHasher&) = delete;

    std::size_t Width() const { return width_; }
    std::string_view KernelName() const { return kernelName_; }
    // Messages added whose results have not been returned yet.
    std::size_t InFlight() const { return waiting_.size() + busy_; }

    void Add(std::span<const std::uint8_t> Message, std::uint64_t Tag);
    // Hashes while every lane holds a message; the results finished so far,
    // in the order they finished.
    std::vector<Result> Advance();
    // Hashes every message added; their results in the order they finished.
    std::vector<Result> Flush();

private:
    static constexpr std::size_t kMaxLanes = 16;
    using Compressor = void (*)(std::uint32_t*, const std::uint8_t* const*, std::uint32_t);

    struct Pending {
        std::span<const std::uint8_t> Message;
        std::uint64_t Tag;
    };
    struct Lane {
        const std::uint8_t* Next = nullptr; // the next whole block of the message
        std::size_t WholeLeft = 0;          // whole blocks still to go from Next
        std::uint32_t TailLeft = 0;         // padded blocks after them; 0 when idle
        std::uint32_t TailAt = 0;
        std::uint64_t Tag = 0;
        alignas(64) std::uint8_t Tail[128] = {};
    };

    void Start(std::size_t lane, const Pending& message);
    void Fill();
    void Step(std::vector<Result>& out);

    std::size_t width_;
    Compressor run_;
    std::string_view kernelName_;
    std::size_t busy_ = 0;
    std::deque<Pending> waiting_;
    alignas(64) std::uint32_t state_[Algo::kWords * kMaxLanes] = {};
    std::array<Lane, kMaxLanes> lanes_;
};

extern template class TMultiBufferHasher<MultiBufferMd5>;
extern template class TMultiBufferHasher<MultiBufferSha1>;

} // namespace sumbrook
