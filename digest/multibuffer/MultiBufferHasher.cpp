#include "digest/multibuffer/MultiBufferHasher.h"

#include <algorithm>
#include <cstring>

#include "digest/engine/DCPbytes.h"
#include "digest/multibuffer/lane_kernels.h"

namespace sumbrook {

using namespace dcp;

namespace {

// Where idle lanes point: their blocks are read and ignored.
alignas(64) constexpr std::uint8_t kIdleBlock[64] = {};

template <class Algo>
struct Traits;

template <>
struct Traits<MultiBufferMd5> {
    static constexpr std::uint32_t kInit[4] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476};
    static LaneKernel Kernel() { return Md5LaneKernel(); }
    static std::string_view Name() { return Md5LaneKernelName(); }
    static void StoreLength(std::uint8_t* at, std::uint64_t bits) { StoreLE64(at, bits); }
    static void StoreWord(std::uint8_t* at, std::uint32_t word) { StoreLE32(at, word); }
};

template <>
struct Traits<MultiBufferSha1> {
    static constexpr std::uint32_t kInit[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    static LaneKernel Kernel() { return Sha1LaneKernel(); }
    static std::string_view Name() { return Sha1LaneKernelName(); }
    static void StoreLength(std::uint8_t* at, std::uint64_t bits) { StoreBE64(at, bits); }
    static void StoreWord(std::uint8_t* at, std::uint32_t word) { StoreBE32(at, word); }
};

} // namespace

template <class Algo>
TMultiBufferHasher<Algo>::TMultiBufferHasher()
{
    const LaneKernel kernel = Traits<Algo>::Kernel();
    width_ = std::min(kernel.Width, kMaxLanes);
    run_ = kernel.Run;
    kernelName_ = Traits<Algo>::Name();
}

template <class Algo>
TMultiBufferHasher<Algo>::~TMultiBufferHasher()
{
    WipeObject(state_);
    for (Lane& l : lanes_) WipeObject(l.Tail);
}

template <class Algo>
void TMultiBufferHasher<Algo>::Add(std::span<const std::uint8_t> Message, std::uint64_t Tag)
{
    waiting_.push_back({Message, Tag});
    Fill();
}

// The whole blocks are read in place; the last partial block, the pad byte
// and the 64-bit bit count go to the lane's own one or two blocks.
template <class Algo>
void TMultiBufferHasher<Algo>::Start(std::size_t lane, const Pending& message)
{
    Lane& l = lanes_[lane];
    const std::size_t size = message.Message.size();
    const std::size_t rest = size % 64;
    l.Next = message.Message.data();
    l.WholeLeft = size / 64;
    l.TailLeft = rest + 1 + 8 <= 64 ? 1 : 2;
    l.TailAt = 0;
    l.Tag = message.Tag;
    std::uint8_t* tail = l.Tail;
    if (rest != 0) std::memcpy(tail, message.Message.data() + (size - rest), rest);
    tail[rest] = 0x80;
    const std::size_t end = 64 * l.TailLeft;
    std::fill(tail + rest + 1, tail + end - 8, std::uint8_t{0});
    Traits<Algo>::StoreLength(tail + end - 8, static_cast<std::uint64_t>(size) << 3);
    for (std::size_t w = 0; w < Algo::kWords; ++w) state_[w * width_ + lane] = Traits<Algo>::kInit[w];
    ++busy_;
}

template <class Algo>
void TMultiBufferHasher<Algo>::Fill()
{
    for (std::size_t lane = 0; lane < width_ && busy_ < width_ && !waiting_.empty(); ++lane)
        if (lanes_[lane].TailLeft == 0) {
            Start(lane, waiting_.front());
            waiting_.pop_front();
        }
}

// One block of every busy lane; the lanes that took their last block report
// and take the next waiting messages.
template <class Algo>
void TMultiBufferHasher<Algo>::Step(std::vector<Result>& out)
{
    const std::uint8_t* blocks[kMaxLanes];
    std::uint32_t active = 0, finished = 0;
    for (std::size_t i = 0; i < width_; ++i) {
        Lane& l = lanes_[i];
        if (l.TailLeft == 0) {
            blocks[i] = kIdleBlock;
            continue;
        }
        active |= 1u << i;
        if (l.WholeLeft != 0) {
            blocks[i] = l.Next;
            l.Next += 64;
            --l.WholeLeft;
        } else {
            blocks[i] = l.Tail + 64 * l.TailAt;
            if (++l.TailAt == l.TailLeft) finished |= 1u << i;
        }
    }
    run_(state_, blocks, active);
    for (std::size_t i = 0; i < width_; ++i)
        if (finished & (1u << i)) {
            Result r{lanes_[i].Tag, {}};
            for (std::size_t w = 0; w < Algo::kWords; ++w)
                Traits<Algo>::StoreWord(r.Digest.data() + 4 * w, state_[w * width_ + i]);
            out.push_back(r);
            lanes_[i].TailLeft = 0;
            --busy_;
        }
    Fill();
}

template <class Algo>
auto TMultiBufferHasher<Algo>::Advance() -> std::vector<Result>
{
    std::vector<Result> out;
    while (busy_ == width_) Step(out);
    return out;
}

template <class Algo>
auto TMultiBufferHasher<Algo>::Flush() -> std::vector<Result>
{
    std::vector<Result> out;
    while (busy_ != 0) Step(out);
    return out;
}

template class TMultiBufferHasher<MultiBufferMd5>;
template class TMultiBufferHasher<MultiBufferSha1>;

} // namespace sumbrook
