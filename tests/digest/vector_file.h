#pragma once

// Reads the digest test vectors kept as data: a "[Algorithm]" line opens a
// section; each vector is a message line ("Text = abc", "Pattern = 1000" for
// bytes i mod 251, "Repeat = 1000000 a") followed by "Out = <hex>".

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

struct DigestVector {
    std::string Algorithm;
    std::string Message; // the message's bytes
    std::string Label;   // the line that described the message
    std::string Expected;
    std::string Source; // file and line, for failure messages
};

// Names a vector by where it stands, in test names and failure messages.
inline void PrintTo(const DigestVector& vector, std::ostream* out)
{
    *out << vector.Source;
}

std::vector<DigestVector> LoadVectorFile(const std::filesystem::path& file);
std::vector<DigestVector> LoadAllVectors(const std::filesystem::path& folder);

// Bytes i mod 251: the prime cycle makes swapped or repeated blocks visible.
std::string PatternBytes(std::size_t length);
