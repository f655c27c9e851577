#include "codec/byte_codec.h"

#include <cstring>

namespace {

// A varint carries seven bits a byte; the tenth byte holds the last of 64.
const int max_varint_bytes = 10;

}  // namespace

void byte_writer::fixed(int size, std::uint64_t value)
{
    for (int i = 0; i < size; i++)
        byte(static_cast<std::uint8_t>(value >> (8 * i)));
}

void byte_writer::u16(std::uint16_t value)
{
    fixed(2, value);
}

void byte_writer::u32(std::uint32_t value)
{
    fixed(4, value);
}

void byte_writer::u64(std::uint64_t value)
{
    fixed(8, value);
}

void byte_writer::f32(float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    u32(bits);
}

void byte_writer::varint(std::uint64_t value)
{
    while (value >= 0x80) {
        byte(static_cast<std::uint8_t>(value | 0x80));
        value >>= 7;
    }
    byte(static_cast<std::uint8_t>(value));
}

void byte_writer::zigzag(std::int64_t value)
{
    const std::uint64_t bits = static_cast<std::uint64_t>(value);
    varint(value < 0 ? ~(bits << 1) : bits << 1);
}

void byte_writer::text(const std::string& value)
{
    varint(value.size());
    bytes += value;
}

bool byte_reader::byte(std::uint8_t& value)
{
    if (at == end)
        return false;
    value = *at++;
    return true;
}

template <typename unsigned_number>
bool byte_reader::fixed(unsigned_number& value)
{
    if (left() < sizeof value)
        return false;
    value = 0;
    for (std::size_t i = 0; i < sizeof value; i++)
        value |= static_cast<unsigned_number>(static_cast<unsigned_number>(*at++) << (8 * i));
    return true;
}

bool byte_reader::u16(std::uint16_t& value)
{
    return fixed(value);
}

bool byte_reader::u32(std::uint32_t& value)
{
    return fixed(value);
}

bool byte_reader::u64(std::uint64_t& value)
{
    return fixed(value);
}

bool byte_reader::f32(float& value)
{
    std::uint32_t bits = 0;
    if (!u32(bits))
        return false;
    std::memcpy(&value, &bits, sizeof value);
    return true;
}

bool byte_reader::varint(std::uint64_t& value)
{
    value = 0;
    for (int i = 0; i < max_varint_bytes; i++) {
        std::uint8_t next = 0;
        if (!byte(next))
            return false;
        const std::uint64_t bits = next & 0x7f;
        // The tenth byte may hold only the 64th bit.
        if (i == max_varint_bytes - 1 && bits > 1)
            return false;
        value |= bits << (7 * i);
        // Each number has one form, the shortest: a last byte of 0 after
        // others only lengthens it.
        if ((next & 0x80) == 0)
            return i == 0 || next != 0;
    }
    return false;
}

bool byte_reader::zigzag(std::int64_t& value)
{
    std::uint64_t bits = 0;
    if (!varint(bits))
        return false;
    value = static_cast<std::int64_t>((bits >> 1) ^ (~(bits & 1) + 1));
    return true;
}

bool byte_reader::take(std::size_t length, std::string& value)
{
    if (left() < length)
        return false;
    value.assign(reinterpret_cast<const char*>(at), length);
    at += length;
    return true;
}
