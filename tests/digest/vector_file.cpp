#include "tests/digest/vector_file.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace {

std::string Trim(std::string s)
{
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

} // namespace

std::string PatternBytes(std::size_t length)
{
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

std::vector<DigestVector> LoadVectorFile(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::vector<DigestVector> vectors;
    std::string section, line;
    DigestVector pending;
    bool havePending = false;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string::npos) throw std::runtime_error("bad line in " + file.string());
        const std::string key = Trim(line.substr(0, eq));
        // Text keeps everything after "= " verbatim, blanks included.
        std::string value = line.substr(eq + 1);
        if (!value.empty() && value[0] == ' ') value.erase(0, 1);
        if (key == "Out") {
            if (!havePending) throw std::runtime_error("Out without message in " + file.string());
            pending.Expected = Trim(value);
            std::transform(pending.Expected.begin(), pending.Expected.end(), pending.Expected.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
            pending.Source = file.filename().string() + ":" + std::to_string(number);
            vectors.push_back(pending);
            havePending = false;
            continue;
        }
        pending = DigestVector{section, {}, key + " = " + value, {}, {}};
        if (key == "Text") {
            pending.Message = value;
        } else if (key == "Pattern") {
            pending.Message = PatternBytes(std::stoul(value));
        } else if (key == "Repeat") {
            const auto blank = value.find(' ');
            pending.Message.assign(std::stoul(value.substr(0, blank)), value.at(blank + 1));
        } else {
            throw std::runtime_error("unknown key " + key + " in " + file.string());
        }
        havePending = true;
    }
    return vectors;
}

std::vector<DigestVector> LoadAllVectors(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".vec") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    std::vector<DigestVector> all;
    for (const auto& f : files) {
        auto v = LoadVectorFile(f);
        all.insert(all.end(), v.begin(), v.end());
    }
    return all;
}
