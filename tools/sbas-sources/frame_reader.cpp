#include "frame_reader.h"

#include "novatel_reader.h"
#include "sbf_reader.h"
#include "text_reader.h"
#include "ubx_reader.h"

void FrameReader::Feed(const uint8_t *data, std::size_t size, std::vector<SbasMessage> &out)
{
    pending_.insert(pending_.end(), data, data + size);
    Look(false, out);
}

void FrameReader::Finish(std::vector<SbasMessage> &out)
{
    if (!pending_.empty() && MayStart('\n'))
        pending_.push_back('\n'); // a text reader's last line
    Look(true, out);
    counts_.skippedBytes += static_cast<int64_t>(pending_.size());
    pending_.clear();
}

void FrameReader::Look(bool atEnd, std::vector<SbasMessage> &out)
{
    const uint8_t *p = pending_.data();
    const std::size_t n = pending_.size();
    std::size_t at = 0;
    const std::size_t before = out.size();
    while (at < n) {
        if (!MayStart(p[at])) {
            ++at;
            ++counts_.skippedBytes;
            continue;
        }
        const Scan s = Examine(p + at, n - at, out);
        if (s.step == Step::NeedMore) {
            if (!atEnd && n - at < LongestFrame())
                break;
            // Examine has seen all a frame may hold and still cannot decide: not a frame.
            ++at;
            ++counts_.skippedBytes;
            continue;
        }
        const std::size_t length = s.length == 0 ? 1 : std::min(s.length, n - at);
        if (s.step == Step::Skip)
            counts_.skippedBytes += static_cast<int64_t>(length);
        at += length;
    }
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(at));
    counts_.messages += static_cast<int64_t>(out.size() - before);
}

std::optional<SourceFormat> SourceFormatNamed(const std::string &name)
{
    for (const SourceFormat f : {SourceFormat::Ubx, SourceFormat::Sbf, SourceFormat::Novatel, SourceFormat::Text})
        if (SourceFormatName(f) == name)
            return f;
    return std::nullopt;
}

std::string SourceFormatName(SourceFormat format)
{
    switch (format) {
    case SourceFormat::Ubx:
        return "ubx";
    case SourceFormat::Sbf:
        return "sbf";
    case SourceFormat::Novatel:
        return "novatel";
    case SourceFormat::Text:
        return "text";
    }
    return "";
}

std::unique_ptr<FrameReader> MakeReader(SourceFormat format)
{
    switch (format) {
    case SourceFormat::Ubx:
        return std::make_unique<UbxReader>();
    case SourceFormat::Sbf:
        return std::make_unique<SbfReader>();
    case SourceFormat::Novatel:
        return std::make_unique<NovatelReader>();
    case SourceFormat::Text:
        return std::make_unique<TextReader>();
    }
    return nullptr;
}
