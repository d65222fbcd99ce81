#pragma once

// The contract every message digest of the system follows: class-level
// identification and self-test, and the streaming life cycle Init, Update...,
// Final, with Burn wiping the state.

#include <cstddef>
#include <cstdint>
#include <istream>
#include <span>
#include <string>
#include <string_view>

#include "base/exception.h"

namespace sumbrook {

class EDCP_hash : public Exception {
public:
    using Exception::Exception;
};

inline constexpr std::string_view kHashNotInitialized = "Hash not initialized";
inline constexpr std::string_view kDigestBufferTooSmall = "Digest buffer too small";

class TDCP_hash {
public:
    // Class-level answers of the base: neutral values. Every concrete class
    // hides these with its own, so they can be asked without an instance.
    static constexpr std::int32_t ClassId = -1;
    static constexpr std::string_view ClassAlgorithm = {};
    static constexpr std::int32_t ClassHashSize = -1;
    static bool ClassSelfTest() { return false; }

    TDCP_hash() = default;
    TDCP_hash(const TDCP_hash&) = delete;
    TDCP_hash& operator=(const TDCP_hash&) = delete;
    // Concrete classes burn an absorbing instance in their own destructor,
    // where their state is still reachable.
    virtual ~TDCP_hash() = default;

    virtual std::int32_t GetId() const { return ClassId; }
    virtual std::string_view GetAlgorithm() const { return ClassAlgorithm; }
    virtual std::int32_t GetHashSize() const { return ClassHashSize; }
    virtual bool SelfTest() const { return ClassSelfTest(); }

    virtual void Init() {}
    // Writes exactly GetHashSize()/8 bytes to the front of Digest.
    virtual void Final(std::span<std::uint8_t> Digest) { (void)Digest; }
    virtual void Burn() {}
    virtual void Update(std::span<const std::uint8_t> Buffer) { (void)Buffer; }

    bool Initialized() const { return fInitialized; }

    // Published properties: read through the concrete class; assigning them
    // is accepted and changes nothing.
    std::int32_t Id() const { return GetId(); }
    std::string Algorithm() const { return std::string(GetAlgorithm()); }
    std::int32_t HashSize() const { return GetHashSize(); }
    void SetId(std::int32_t) {}
    void SetAlgorithm(std::string_view) {}
    void SetHashSize(std::int32_t) {}

    // Reads Size bytes in 8192-byte pieces; only bytes actually read are
    // absorbed, and a short read does not end the loop.
    void UpdateStream(std::istream& Stream, std::uint64_t Size);
    // One byte per character, no terminator.
    void UpdateStr(std::string_view Str);
    // UTF-16 code units, low byte first, no terminator.
    void UpdateStr(std::u16string_view Str);

protected:
    bool fInitialized = false;

    // The checks every concrete Update and Final start with.
    void RequireInitialized() const;
    void RequireDigestRoom(std::span<const std::uint8_t> Digest) const;
};

} // namespace sumbrook
