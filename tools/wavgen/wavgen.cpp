// Writes the two answer sounds into a folder: Maru.wav, a short two-note chime for a right
// answer, and SD05.wav, a short soft low buzz for a wrong one. 16-bit PCM, mono.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int sampleRate = 22050;
constexpr double pi = 3.14159265358979323846;

void putLe(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

bool writeWav(const std::string& path, const std::vector<double>& samples) {
    std::ofstream out(path, std::ios::binary);
    if (!out) {
        return false;
    }
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    putLe(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLe(out, 16, 4);             // fmt chunk size
    putLe(out, 1, 2);              // PCM
    putLe(out, 1, 2);              // mono
    putLe(out, sampleRate, 4);     // sample rate
    putLe(out, sampleRate * 2, 4); // byte rate
    putLe(out, 2, 2);              // block align
    putLe(out, 16, 2);             // bits per sample
    out.write("data", 4);
    putLe(out, dataBytes, 4);
    for (double sample : samples) {
        const double clamped = std::fmax(-1.0, std::fmin(1.0, sample));
        const auto value = static_cast<std::int16_t>(std::lround(clamped * 32000.0));
        putLe(out, static_cast<std::uint16_t>(value), 2);
    }
    return static_cast<bool>(out);
}

// A bell-like note: a sine with a soft second partial, a quick attack and a decay.
void addNote(std::vector<double>& samples, double start, double length, double frequency,
             double level) {
    const int first = static_cast<int>(start * sampleRate);
    const int count = static_cast<int>(length * sampleRate);
    if (samples.size() < static_cast<std::size_t>(first + count)) {
        samples.resize(static_cast<std::size_t>(first + count), 0.0);
    }
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double attack = std::fmin(1.0, t / 0.005);
        const double decay = std::exp(-t * 7.0);
        const double tone =
            std::sin(2 * pi * frequency * t) + 0.25 * std::sin(4 * pi * frequency * t);
        samples[static_cast<std::size_t>(first + i)] += level * attack * decay * tone;
    }
}

std::vector<double> chime() {
    std::vector<double> samples;
    addNote(samples, 0.00, 0.45, 1046.50, 0.45); // C6
    addNote(samples, 0.13, 0.55, 1318.51, 0.45); // E6
    return samples;
}

std::vector<double> buzz() {
    const double length = 0.40;
    const int count = static_cast<int>(length * sampleRate);
    std::vector<double> samples(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double envelope = std::fmin(1.0, t / 0.02) * std::fmin(1.0, (length - t) / 0.08);
        // A few odd partials of a low note: buzzy, but rounded off so it is not harsh.
        double tone = 0;
        for (int k = 1; k <= 7; k += 2) {
            tone += std::sin(2 * pi * 130.81 * k * t) / (k * k);
        }
        samples[static_cast<std::size_t>(i)] = 0.5 * envelope * tone;
    }
    return samples;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: wavgen <folder>\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!writeWav(folder + "/Maru.wav", chime()) || !writeWav(folder + "/SD05.wav", buzz())) {
        std::fprintf(stderr, "wavgen: cannot write into %s\n", folder.c_str());
        return 1;
    }
    return 0;
}
