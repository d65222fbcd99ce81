// Tiger's stored S-boxes against the procedure that defines them.

#include <gtest/gtest.h>

#include <cstring>

#include "digest/tiger/DCPtiger.h"
#include "tests/digest/digest_test_util.h"

using namespace sumbrook;

namespace {

// The Tiger paper's S-box generation: all four tables start as the identity
// in every byte column, then five sweeps swap bytes within each column at
// positions drawn from a running Tiger state, the compression using the
// tables as they stand.
class TigerTableGenerator {
public:
    std::uint64_t Table[4][256] = {};

    TigerTableGenerator()
    {
        static constexpr char seed[] = "Tiger - A Fast New Hash Function, by Ross Anderson and Eli Biham";
        static_assert(sizeof seed == 65);
        std::uint64_t block[8];
        for (int i = 0; i < 8; ++i) {
            block[i] = 0;
            for (int k = 7; k >= 0; --k) block[i] = block[i] << 8 | static_cast<std::uint8_t>(seed[8 * i + k]);
        }
        for (auto& box : Table)
            for (int i = 0; i < 256; ++i) box[i] = 0x0101010101010101ull * static_cast<std::uint64_t>(i);
        std::uint64_t state[3] = {0x0123456789ABCDEF, 0xFEDCBA9876543210, 0xF096A5B4C3B2E187};
        int abc = 2;
        for (int sweep = 0; sweep < 5; ++sweep)
            for (int i = 0; i < 256; ++i)
                for (auto& box : Table) {
                    if (++abc == 3) {
                        abc = 0;
                        Compress(block, state);
                    }
                    for (int col = 0; col < 8; ++col) {
                        const int shift = 8 * col;
                        const auto j = static_cast<std::size_t>(state[abc] >> shift & 0xFF);
                        const std::uint64_t mask = 0xFFull << shift;
                        const std::uint64_t mine = box[i] & mask, theirs = box[j] & mask;
                        box[i] = (box[i] & ~mask) | theirs;
                        box[j] = (box[j] & ~mask) | mine;
                    }
                }
    }

private:
    std::uint8_t Byte(std::uint64_t v, int n) const { return static_cast<std::uint8_t>(v >> 8 * n); }

    void Compress(const std::uint64_t (&block)[8], std::uint64_t (&s)[3]) const
    {
        std::uint64_t x[8];
        std::memcpy(x, block, sizeof x);
        std::uint64_t r[3] = {s[0], s[1], s[2]};
        const int order[3][3] = {{0, 1, 2}, {2, 0, 1}, {1, 2, 0}};
        const std::uint64_t mul[3] = {5, 7, 9};
        for (int pass = 0; pass < 3; ++pass) {
            if (pass > 0) {
                // clang-format off
                x[0] -= x[7] ^ 0xA5A5A5A5A5A5A5A5; x[1] ^= x[0]; x[2] += x[1]; x[3] -= x[2] ^ (~x[1] << 19);
                x[4] ^= x[3]; x[5] += x[4]; x[6] -= x[5] ^ (~x[4] >> 23); x[7] ^= x[6];
                x[0] += x[7]; x[1] -= x[0] ^ (~x[7] << 19); x[2] ^= x[1]; x[3] += x[2];
                x[4] -= x[3] ^ (~x[2] >> 23); x[5] ^= x[4]; x[6] += x[5]; x[7] -= x[6] ^ 0x0123456789ABCDEF;
                // clang-format on
            }
            for (int k = 0; k < 8; ++k) {
                std::uint64_t& a = r[order[pass][k % 3]];
                std::uint64_t& b = r[order[pass][(k + 1) % 3]];
                std::uint64_t& c = r[order[pass][(k + 2) % 3]];
                c ^= x[k];
                a -= Table[0][Byte(c, 0)] ^ Table[1][Byte(c, 2)] ^ Table[2][Byte(c, 4)] ^ Table[3][Byte(c, 6)];
                b += Table[3][Byte(c, 1)] ^ Table[2][Byte(c, 3)] ^ Table[1][Byte(c, 5)] ^ Table[0][Byte(c, 7)];
                b *= mul[pass];
            }
        }
        s[0] ^= r[0];
        s[1] = r[1] - s[1];
        s[2] += r[2];
    }
};

TEST(TigerSBoxes, AreThePublishedTables)
{
    EXPECT_EQ(dcp::TigerSBox[0][0], 0x02AAB17CF7E90C5Eull);
    EXPECT_EQ(dcp::TigerSBox[3][255], 0xC3A0396F7363A51Full);
    const TigerTableGenerator generated;
    for (int box = 0; box < 4; ++box)
        for (int i = 0; i < 256; ++i)
            ASSERT_EQ(dcp::TigerSBox[box][i], generated.Table[box][i]) << "T" << box + 1 << "[" << i << "]";
}

TEST(TigerDigest, IsTheOriginalTigerNotTiger2)
{
    TDCP_tiger hash;
    // Tiger2 (pad 0x80) gives 4441BE75F6018773C206C22745374B924AA8313FEF919F41 here.
    EXPECT_EQ(DigestHex(hash, ""), "3293AC630C13F0245F92BBB1766E16167A4E58492DDE73F3");
    EXPECT_EQ(DigestHex(hash, "Tiger"), "DD00230799F5009FEC6DEBC838BB6A27DF2B9D6F110C7937");
}

} // namespace
