// Digests pasted from a web page, and whole checksum files listed for the
// verify dialog.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "checking/checksum_listing.h"
#include "checking/known_digest.h"

using namespace sumbrook::checking;
using sumbrook::AlgorithmId;

namespace {

std::string Hex(std::size_t digits, char digit = 'a')
{
    return std::string(digits, digit);
}

struct Pasted {
    std::string Text;
    std::size_t Bytes; // 0: not a digest
    std::vector<AlgorithmId> Candidates;
    std::string Name;
};

TEST(KnownDigest, EveryLengthCaseSpacingAndWholeLine)
{
    using enum AlgorithmId;
    const std::string sha256 = "E3B0C44298FC1C149AFBF4C8996FB92427AE41E4649B934CA495991B7852B855";
    const std::vector<Pasted> cases = {
        {Hex(32), 16, {Md4, Ripemd128, Md5}, ""},
        {Hex(40, 'B'), 20, {Sha1, Ripemd160}, ""},
        {Hex(48), 24, {Tiger192}, ""},
        {sha256, 32, {Haval256, Sha256}, ""},
        {Hex(96, 'F'), 48, {Sha384}, ""},
        {Hex(128, '0'), 64, {Sha512}, ""},
        {"  e3b0c442 98fc1c14 9afbf4c8 996fb924 27ae41e4 649b934c a495991b 7852b855\r\n", 32, {Haval256, Sha256}, ""},
        {sha256 + "  a.iso\nsecond line", 32, {Haval256, Sha256}, "a.iso"},
        {"SHA256 (a.iso) = " + sha256, 32, {Sha256}, "a.iso"},
        {"MD5 (b c.zip) = " + Hex(32, 'd'), 16, {Md5}, "b c.zip"},
        // Not a digest: a CRC-32, a length no algorithm has, other characters, nothing.
        {Hex(8), 0, {}, ""},
        {Hex(33), 0, {}, ""},
        {Hex(31) + "g", 0, {}, ""},
        {"", 0, {}, ""},
        {"hello world", 0, {}, ""},
        {"SHA256 (a.iso) = " + Hex(32), 0, {}, ""}, // the tag's length is wrong
    };
    for (const Pasted& c : cases) {
        const std::optional<KnownDigest> known = ParseKnownDigest(c.Text);
        if (c.Bytes == 0) {
            EXPECT_FALSE(known) << c.Text;
            continue;
        }
        ASSERT_TRUE(known) << c.Text;
        EXPECT_EQ(known->Value.size(), c.Bytes) << c.Text;
        EXPECT_EQ(known->Candidates, c.Candidates) << c.Text;
        EXPECT_EQ(known->Name, c.Name) << c.Text;
    }
    const auto known = ParseKnownDigest(sha256);
    ASSERT_TRUE(known);
    EXPECT_EQ(known->Value.front(), 0xE3);
    EXPECT_EQ(known->Value.back(), 0x55);
    EXPECT_EQ(ParseKnownDigest("e3b0c442 98fc1c14 9afbf4c8 996fb924 27ae41e4 649b934c a495991b 7852b855")->Value,
              known->Value);
}

struct Listing {
    std::string ChecksumPath;
    std::string Bytes;
    std::vector<std::string> Paths;
    std::vector<AlgorithmId> FirstAlgorithms; // of each file, its first value
    std::size_t Malformed;
};

TEST(ChecksumListing, EveryFormatBesideTheChecksumFile)
{
    using enum AlgorithmId;
    const std::string md5 = Hex(32, 'c');
    const std::string sha256 = Hex(64, '1');
    const std::vector<Listing> cases = {
        {"/d/MD5SUMS", md5 + "  a.txt\n" + md5 + " *sub/b.bin\n", {"/d/a.txt", "/d/sub/b.bin"}, {Md5, Md5}, 0},
        // 32 digits in a file that names nothing: MD5, as such files usually hold.
        {"/d/sums.txt", md5 + "  a.txt\r\n", {"/d/a.txt"}, {Md5}, 0},
        {"/d/x.md4", md5 + "  a.txt\n", {"/d/a.txt"}, {Md4}, 0},
        {"/d/SHA256SUMS", sha256 + "  /abs/a.txt\nnot a line\n\n", {"/abs/a.txt"}, {Sha256}, 1},
        {"rel/list.bsd",
         "SHA256 (a.txt) = " + sha256 + "\nMD5 (a.txt) = " + md5 + "\nSHA1 (b) = " + Hex(40) + "\n",
         {"rel/a.txt", "rel/b"},
         {Sha256, Sha1},
         0},
        {"/d/x.sfv", "; comment\na.txt 1234ABCD\n", {"/d/a.txt"}, {Crc32}, 0},
        // Clearsigned: the armour and the dash escape go, the lines stay.
        {"/d/SHA256SUMS",
         "\xEF\xBB\xBF-----BEGIN PGP SIGNED MESSAGE-----\r\nHash: SHA256\r\n\r\n" + sha256 + "  a.iso\r\n- " + sha256 +
             "  b.iso\r\n-----BEGIN PGP SIGNATURE-----\r\n\r\niQIz\r\n-----END PGP SIGNATURE-----\r\n",
         {"/d/a.iso", "/d/b.iso"},
         {Sha256, Sha256},
         0},
        {"/d/SumbrookResult.txt",
         "a.txt\r\n\tMD5：" + md5 + "\r\n\tSHA1：" + Hex(40) + "\r\nempty.txt\r\n",
         {"/d/a.txt"},
         {Md5},
         0},
        {"/d/x", "", {}, {}, 0},
    };
    for (const Listing& c : cases) {
        const ChecksumListing listing = ListChecksumFile(c.Bytes, c.ChecksumPath);
        std::vector<std::string> paths;
        std::vector<AlgorithmId> firsts;
        for (const ListedFile& file : listing.Files) {
            paths.push_back(file.Path);
            firsts.push_back(file.Values.front().Algorithm);
        }
        EXPECT_EQ(paths, c.Paths) << c.ChecksumPath;
        EXPECT_EQ(firsts, c.FirstAlgorithms) << c.ChecksumPath;
        EXPECT_EQ(listing.MalformedLines.size(), c.Malformed) << c.ChecksumPath;
        EXPECT_EQ(listing.SignatureSkipped, c.Bytes.find("PGP") != std::string::npos) << c.ChecksumPath;
    }
    // The result file's entry carries both values; the BSD file's a.txt both lines.
    EXPECT_EQ(ListChecksumFile("a\r\n\tMD5：" + md5 + "\r\n\tSHA1：" + Hex(40) + "\r\n", "/d/r.txt")
                  .Files.at(0)
                  .Values.size(),
              2u);
}

} // namespace
