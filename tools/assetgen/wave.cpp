#include "wave.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

void put16(std::ofstream& out, std::uint16_t v)
{
    const char bytes[2] = {static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
    out.write(bytes, 2);
}

void put32(std::ofstream& out, std::uint32_t v)
{
    put16(out, static_cast<std::uint16_t>(v & 0xffff));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}

}  // namespace

bool write_wav(const std::string& file, const wave& sound)
{
    std::ofstream out(file, std::ios::binary);
    if (!out)
        return false;
    const std::uint32_t data_bytes = static_cast<std::uint32_t>(sound.size() * 2);
    out.write("RIFF", 4);
    put32(out, 36 + data_bytes);
    out.write("WAVEfmt ", 8);
    put32(out, 16);               // size of the format chunk
    put16(out, 1);                // PCM
    put16(out, 1);                // mono
    put32(out, sample_rate);
    put32(out, sample_rate * 2);  // bytes per second
    put16(out, 2);                // bytes per sample frame
    put16(out, 16);               // bits per sample
    out.write("data", 4);
    put32(out, data_bytes);
    for (float s : sound) {
        long v = std::lround(std::max(-1.0f, std::min(1.0f, s)) * 32767.0f);
        put16(out, static_cast<std::uint16_t>(static_cast<std::int16_t>(v)));
    }
    return static_cast<bool>(out);
}
