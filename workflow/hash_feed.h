#pragma once

// Feeding one stream of bytes to several algorithms: CRC-32 and digests,
// each a consumer; on one thread, or shared out over several threads that
// consume the same buffers while the next ones are read.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace sumbrook {
class TByteSource;
class TDCP_hash;
} // namespace sumbrook

namespace sumbrook::workflow {

class HashConsumer {
public:
    explicit HashConsumer(TDCP_hash* hash);
    static HashConsumer Crc32(std::uint32_t& crcRegister);
    void Update(std::span<const std::uint8_t> block);
    double Cost() const { return cost_; } // relative time per byte, for sharing out the work

private:
    HashConsumer() = default;
    TDCP_hash* hash_ = nullptr;
    std::uint32_t* crc_ = nullptr;
    double cost_ = 0;
};

// Reads Source to its end and gives every block to every consumer; false
// when a read failed. Threads above 1 share the consumers out by cost;
// BytesRead is told the running total after each read.
bool FeedConsumers(TByteSource& source, std::vector<HashConsumer>& consumers, unsigned threads,
                   std::size_t bufferSize, const std::function<void(std::uint64_t)>& bytesRead);

// The consumers in Threads groups of about equal cost (each group's
// indices), the costliest first onto the least loaded group.
std::vector<std::vector<std::size_t>> ShareOut(const std::vector<HashConsumer>& consumers, unsigned threads);

} // namespace sumbrook::workflow
