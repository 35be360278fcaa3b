#include "platform/sound/WaveInfo.h"

namespace sound
{

namespace
{

uint32_t le32(const QByteArray &b, qsizetype at)
{
    return static_cast<uint32_t>(static_cast<uint8_t>(b[at])) |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}

uint16_t le16(const QByteArray &b, qsizetype at)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

bool tagAt(const QByteArray &b, qsizetype at, const char *tag)
{
    return b.mid(at, 4) == QByteArray(tag, 4);
}

} // namespace

std::optional<WaveInfo> WaveInfo::parse(const QByteArray &bytes)
{
    if (bytes.size() < 12 || !tagAt(bytes, 0, "RIFF") || !tagAt(bytes, 8, "WAVE"))
        return std::nullopt;
    WaveInfo info;
    info.riffSize = le32(bytes, 4);
    // A RIFF size beyond the bytes held means a cut-off file.
    const int64_t end = int64_t(info.riffSize) + 8;
    if (end > bytes.size())
        return std::nullopt;

    bool haveFormat = false;
    int64_t at = 12;
    while (at + 8 <= end) {
        const uint32_t size = le32(bytes, at + 4);
        const int64_t body = at + 8;
        if (body + int64_t(size) > end)
            return std::nullopt;
        if (tagAt(bytes, at, "fmt ")) {
            if (size < 16)
                return std::nullopt;
            info.formatTag = le16(bytes, body);
            info.channels = le16(bytes, body + 2);
            info.sampleRate = le32(bytes, body + 4);
            info.byteRate = le32(bytes, body + 8);
            info.blockAlign = le16(bytes, body + 12);
            info.bitsPerSample = le16(bytes, body + 14);
            if (info.channels == 0 || info.sampleRate == 0 || info.blockAlign == 0)
                return std::nullopt;
            haveFormat = true;
        } else if (tagAt(bytes, at, "data")) {
            if (!haveFormat)
                return std::nullopt;
            info.dataOffset = static_cast<uint32_t>(body);
            info.dataSize = size;
            return info;
        }
        // Chunks are padded to an even length.
        at = body + int64_t(size) + (size & 1);
    }
    return std::nullopt;
}

} // namespace sound
