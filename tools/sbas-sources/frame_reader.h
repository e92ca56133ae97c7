#pragma once

#include "sbas_message.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What a reader has met so far in its stream.
struct ReaderCounts {
    int64_t messages = 0;         // SBAS messages handed over
    int64_t checksumFailures = 0; // frames whose checksum did not hold
    int64_t otherFrames = 0;      // sound frames of kinds not read here (other logs, other signals)
    int64_t badFrames = 0;        // sound frames that cannot be read (a length, a satellite, a time out of range)
    int64_t untimed = 0;          // SBAS frames that came before any receiver time
    int64_t skippedBytes = 0;     // bytes outside any frame
};

// Reads SBAS messages from a receiver's byte stream, however it is cut into pieces: a frame
// split over several calls waits for its rest, bytes between frames are skipped, and a frame
// whose checksum fails is given up one byte after its header so that the search for the next
// header starts inside it. What waits for the rest of a frame is bounded by the reader's
// longest frame.
class FrameReader {
public:
    virtual ~FrameReader() = default;

    // Appends to `out` each message completed by these bytes.
    void Feed(const uint8_t *data, std::size_t size, std::vector<SbasMessage> &out);
    // The end of the input (of a file): what still waits for the rest of a frame is looked
    // through once more, a false header no longer hiding the frames after it; a last text line
    // without its line end is read.
    void Finish(std::vector<SbasMessage> &out);
    const ReaderCounts &Counts() const { return counts_; }

protected:
    enum class Step { NeedMore, Skip, Take };
    struct Scan {
        Step step;
        std::size_t length = 0; // bytes to skip or take
    };
    static Scan NeedMore() { return {Step::NeedMore, 0}; }
    static Scan Skip(std::size_t n = 1) { return {Step::Skip, n}; }
    static Scan Take(std::size_t n) { return {Step::Take, n}; }

    // Whether a frame may begin with this byte.
    virtual bool MayStart(uint8_t byte) const = 0;
    // Looks at a possible frame at `p` (its first byte passed MayStart), `available` bytes in
    // all; counts what it finds and appends a message it reads.
    virtual Scan Examine(const uint8_t *p, std::size_t available, std::vector<SbasMessage> &out) = 0;
    // The most bytes a frame may need before Examine can decide.
    virtual std::size_t LongestFrame() const = 0;

    ReaderCounts counts_;

private:
    void Look(bool atEnd, std::vector<SbasMessage> &out);

    std::vector<uint8_t> pending_;
};

enum class SourceFormat { Ubx, Sbf, Novatel, Text };

// "ubx", "sbf", "novatel", "text"; no value for another name.
std::optional<SourceFormat> SourceFormatNamed(const std::string &name);
std::string SourceFormatName(SourceFormat format);
std::unique_ptr<FrameReader> MakeReader(SourceFormat format);
