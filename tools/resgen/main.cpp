// Synthesises the library's six short sounds as RIFF WAVE files, PCM mono.
// Byte sizes and formats are the ones the controls were built with, so that
// each file keeps its place and length.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace
{

constexpr double pi = 3.14159265358979323846;

struct Tone {
    double start;  // seconds
    double length; // seconds
    double fromHz; // glides linearly to toHz
    double toHz;
    double level; // 0..1
};

struct Sound {
    int id;
    int totalBytes; // the whole file, header included
    int rate;
    int bits;
    std::vector<Tone> tones;
};

// Short attack and release so that no tone starts or ends with a click.
double envelope(double t, double length)
{
    const double edge = std::min(0.004, length / 4);
    if (t < edge)
        return t / edge;
    if (t > length - edge)
        return (length - t) / edge;
    return 1.0 - 0.5 * (t / length);
}

std::vector<double> synthesise(const Sound &sound, int samples)
{
    std::vector<double> out(samples, 0.0);
    for (const Tone &tone : sound.tones) {
        double phase = 0;
        const int first = static_cast<int>(tone.start * sound.rate);
        const int count = static_cast<int>(tone.length * sound.rate);
        for (int i = 0; i < count && first + i < samples; ++i) {
            const double t = double(i) / sound.rate;
            const double hz = tone.fromHz + (tone.toHz - tone.fromHz) * t / tone.length;
            phase += 2 * pi * hz / sound.rate;
            // A little of the octave above makes the tone less bare.
            const double wave = 0.8 * std::sin(phase) + 0.2 * std::sin(2 * phase);
            out[first + i] += tone.level * envelope(t, tone.length) * wave;
        }
    }
    return out;
}

void put16(std::string &s, uint16_t v)
{
    s += char(v & 0xFF);
    s += char(v >> 8);
}

void put32(std::string &s, uint32_t v)
{
    put16(s, uint16_t(v & 0xFFFF));
    put16(s, uint16_t(v >> 16));
}

std::string waveFile(const Sound &sound)
{
    const int bytesPerSample = sound.bits / 8;
    const uint32_t dataSize = uint32_t(sound.totalBytes - 44);
    const int samples = int(dataSize) / bytesPerSample;
    std::string s;
    s += "RIFF";
    put32(s, uint32_t(sound.totalBytes - 8));
    s += "WAVEfmt ";
    put32(s, 16);
    put16(s, 1); // PCM
    put16(s, 1); // mono
    put32(s, uint32_t(sound.rate));
    put32(s, uint32_t(sound.rate * bytesPerSample));
    put16(s, uint16_t(bytesPerSample));
    put16(s, uint16_t(sound.bits));
    s += "data";
    put32(s, dataSize);
    for (double v : synthesise(sound, samples)) {
        v = std::clamp(v, -1.0, 1.0);
        if (sound.bits == 8) {
            s += char(uint8_t(std::lround(128 + 127 * v)));
        } else {
            put16(s, uint16_t(int16_t(std::lround(32767 * v))));
        }
    }
    return s;
}

const std::vector<Sound> sounds = {
    // a click
    {101, 890, 11025, 8, {{0.0, 0.07, 1800, 1200, 0.8}}},
    // a two-note chime
    {102, 17132, 22050, 16, {{0.0, 0.16, 880, 880, 0.6}, {0.14, 0.24, 1318.5, 1318.5, 0.6}}},
    // three falling notes
    {103,
     8864,
     11025,
     8,
     {{0.0, 0.25, 784, 784, 0.7}, {0.27, 0.25, 659.3, 659.3, 0.7}, {0.54, 0.25, 523.3, 523.3, 0.7}}},
    // a rising sweep
    {104, 4566, 11025, 8, {{0.0, 0.4, 400, 1600, 0.7}}},
    // a soft pop
    {105, 1758, 11025, 8, {{0.0, 0.15, 600, 300, 0.8}}},
    // a double beep
    {106, 1576, 11025, 8, {{0.0, 0.06, 1000, 1000, 0.7}, {0.075, 0.06, 1000, 1000, 0.7}}},
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: resgen <output folder>\n");
        return 2;
    }
    for (const Sound &sound : sounds) {
        const std::string path = std::string(argv[1]) + "/" + std::to_string(sound.id) + ".wav";
        std::ofstream out(path, std::ios::binary);
        const std::string bytes = waveFile(sound);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "resgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
