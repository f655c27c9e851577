#include "codec/zlib_pack.h"

#include <zlib.h>

namespace {

// Deflate turns one byte into at most 1032, so a longer text cannot be in
// fewer packed bytes.
const std::size_t most_unpacked_per_byte = 1032;

}  // namespace

bool zlib_pack(const std::string& text, std::string& packed, int level)
{
    uLongf packed_size = compressBound(static_cast<uLong>(text.size()));
    packed.assign(packed_size, '\0');
    const int result = compress2(reinterpret_cast<Bytef*>(&packed[0]), &packed_size,
                                 reinterpret_cast<const Bytef*>(text.data()), static_cast<uLong>(text.size()),
                                 level);
    if (result != Z_OK)
        return false;
    packed.resize(packed_size);
    return true;
}

unpacking zlib_unpack(const char* packed, std::size_t packed_size, std::size_t length, std::string& text)
{
    unpacking out;
    if (length / most_unpacked_per_byte > packed_size) {
        out.fault = unpack_fault::cannot_hold;
        return out;
    }
    // One byte more than said, to tell a longer text from a cut one.
    text.assign(length + 1, '\0');
    uLongf unpacked = static_cast<uLongf>(text.size());
    uLong consumed = static_cast<uLong>(packed_size);
    const int result = uncompress2(reinterpret_cast<Bytef*>(&text[0]), &unpacked,
                                   reinterpret_cast<const Bytef*>(packed), &consumed);
    out.unpacked = unpacked;
    out.left_over = packed_size - consumed;
    out.zlib_says = zError(result);
    if (result == Z_BUF_ERROR || (result == Z_OK && unpacked > length))
        out.fault = unpack_fault::longer;
    else if (result == Z_DATA_ERROR)
        out.fault = unpack_fault::broken;
    else if (result != Z_OK)
        out.fault = unpack_fault::failed;
    else if (unpacked != length)
        out.fault = unpack_fault::shorter;
    else if (consumed != packed_size)
        out.fault = unpack_fault::trailing;
    text.resize(length);
    return out;
}
