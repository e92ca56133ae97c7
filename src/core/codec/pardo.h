#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

// Run-length code in which the data server sends message payloads.
// A run of n equal characters is written as the character n times (n <= 3),
// as "c|h" with one hex digit (4..15) or as "c/hh" with two hex digits (16..255).
class PardoError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TPARDO final {
public:
    std::string Data;

    void Compress();
    // Throws PardoError when the text cannot be expanded; Data is then unchanged.
    void Decompress();
    // The same, but may stop once the result is certain to be longer than limit: Data then
    // holds a partial expansion, itself longer than limit.
    void Decompress(std::size_t limit);
    // Decompress(limit) of `payload`, which is not copied into Data first; after an error Data
    // holds the payload.
    void DecompressFrom(const std::string &payload, std::size_t limit);

    static std::string Encode(char c, int count);

private:
    static constexpr std::size_t kSmallText = 128; // expanded on the stack when no longer than this
    std::string scratch_; // where the next expansion is written; keeps its buffer between messages
};
