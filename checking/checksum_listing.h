#pragma once

// A whole checksum file as the files it lists, each with the values it
// expects: coreutils, BSD, SFV and openssl lines, or the window's result file.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "digest/engine/algorithm.h"

namespace sumbrook::checking {

struct ExpectedValue {
    AlgorithmId Algorithm;
    std::vector<std::uint8_t> Value;
};

struct ListedFile {
    std::string Name; // as listed, UTF-8 where the file was
    std::string Path; // where it is looked for: beside the checksum file unless absolute
    std::vector<ExpectedValue> Values;
};

struct ChecksumListing {
    std::vector<ListedFile> Files;
    std::vector<std::size_t> MalformedLines; // their numbers, from 1
    bool Undecodable = false;                // a result file in no known encoding
    bool SignatureSkipped = false;           // clearsigned: the armour was taken off, the signature not checked
};

// Bytes: the checksum file's content; ChecksumPath: where it lies, for its
// folder and for the algorithm its name implies. A coreutils line whose hex
// length fits several algorithms takes the one the file name names, else
// the one such files usually hold (MD5 for 32 digits, SHA-1 for 40).
ChecksumListing ListChecksumFile(std::string_view bytes, std::string_view checksumPath);

// The window's result file alone, its names looked up in Folder (empty, or
// ending in a folder separator). A name is looked for as UTF-8, and where
// nothing is there, in the file's own encoding: a result file written in
// GBK on a system whose names are GBK bytes.
ChecksumListing ListResultFile(std::string_view bytes, const std::string& folder);

// Where a listed name is looked for: in Folder unless the name is rooted.
std::string ListedPath(const std::string& folder, const std::string& name);

// The folder part of a checksum file's path, separator included; nothing for
// standard input ("-").
std::string FolderOfChecksumFile(std::string_view path);

} // namespace sumbrook::checking
