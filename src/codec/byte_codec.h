// The words replay files and network packets are made of: little-endian
// fixed-size numbers and LEB128 varints (zigzag for signed ones). The writer
// appends them to a byte string; the reader takes them from one and never
// reads past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class byte_writer {
public:
    void byte(std::uint8_t value) { bytes += static_cast<char>(value); }
    void u16(std::uint16_t value);
    void u32(std::uint32_t value);
    void u64(std::uint64_t value);
    void f32(float value);  // the bit pattern, as a u32
    void varint(std::uint64_t value);
    void zigzag(std::int64_t value);
    void text(const std::string& value);  // its length as a varint, then its bytes

    std::string bytes;

private:
    void fixed(int size, std::uint64_t value);
};

// Each read is false when the bytes end first, or for a varint longer than
// 64 bits or than its shortest form; the value is then unspecified.
class byte_reader {
public:
    explicit byte_reader(const std::string& bytes)
        : at(reinterpret_cast<const unsigned char*>(bytes.data())), end(at + bytes.size())
    {
    }
    // It reads in place, so the bytes must outlive it.
    explicit byte_reader(std::string&&) = delete;

    bool byte(std::uint8_t& value);
    bool u16(std::uint16_t& value);
    bool u32(std::uint32_t& value);
    bool u64(std::uint64_t& value);
    bool f32(float& value);
    bool varint(std::uint64_t& value);
    bool zigzag(std::int64_t& value);
    // The next `length` bytes; the caller checks `length` against left() first.
    bool take(std::size_t length, std::string& value);

    std::size_t left() const { return static_cast<std::size_t>(end - at); }

private:
    // A little-endian number of sizeof(value) bytes.
    template <typename unsigned_number>
    bool fixed(unsigned_number& value);

    const unsigned char* at;
    const unsigned char* end;
};
