#pragma once

// A fresh folder under the system's temporary folder, removed with what it
// holds when the test ends; paths handed to the platform layer as UTF-8.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

namespace sumbrook::test {

class ScratchFolder : public ::testing::Test {
protected:
    ScratchFolder()
    {
        std::random_device random;
        root_ = std::filesystem::temp_directory_path() / ("sumbrook-platform-" + std::to_string(random()));
        std::filesystem::create_directories(root_);
    }
    ~ScratchFolder() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

    // A path inside the folder; Name is UTF-8.
    std::filesystem::path At(std::string_view name) const
    {
        return root_ / std::u8string_view(reinterpret_cast<const char8_t*>(name.data()), name.size());
    }
    // The same as the platform layer's UTF-8 path.
    static std::string Utf8(const std::filesystem::path& path)
    {
        const std::u8string text = path.u8string();
        return {text.begin(), text.end()};
    }
    std::string Put(std::string_view name, std::string_view bytes) const
    {
        std::ofstream(At(name), std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return Utf8(At(name));
    }
    std::string Contents(std::string_view name) const
    {
        std::ifstream in(At(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    std::filesystem::path root_;
};

} // namespace sumbrook::test
