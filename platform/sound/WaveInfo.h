#pragma once

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace sound
{

// What a RIFF WAVE file says of itself. Only whole files parse: the format
// chunk must precede the data chunk and every chunk must lie inside the
// bytes, so a player is never handed a cut-off or foreign file.
struct WaveInfo {
    uint32_t riffSize = 0;  // the RIFF header's size field: file size - 8 in a complete file
    uint16_t formatTag = 0; // 1 = PCM
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint32_t byteRate = 0;
    uint16_t blockAlign = 0;
    uint16_t bitsPerSample = 0;
    uint32_t dataOffset = 0; // where the samples start
    uint32_t dataSize = 0;

    bool isPcm() const { return formatTag == 1; }

    static std::optional<WaveInfo> parse(const QByteArray &bytes);
};

} // namespace sound
