#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

// A fresh directory for one test's files, removed with everything in it afterwards.
class ScratchDir {
public:
    ScratchDir()
        : dir_(std::filesystem::temp_directory_path() / ("velmar-test-" + std::to_string(std::random_device{}())))
    {
        std::filesystem::create_directories(dir_);
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    std::string Path(const std::string &name) const { return (dir_ / name).string(); }
    void Write(const std::string &name, const std::string &bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string &name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path dir_;
};
