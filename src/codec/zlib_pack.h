// Text packed with zlib, as a replay file holds its body and the network's
// start message its map. Packed bytes come from outside the program, so the
// unpacker is told the size to expect and holds the stream to it exactly; a
// stream too short to hold that size is refused before any memory is taken.
#pragma once

#include <cstddef>
#include <string>

// zlib's hardest packing, which every packer of the game uses.
const int best_packing = 9;

// False when zlib cannot pack (out of memory, or a level it does not know);
// `packed` is then unspecified.
bool zlib_pack(const std::string& text, std::string& packed, int level = best_packing);

enum class unpack_fault {
    none,
    cannot_hold,  // too few packed bytes for the size said: refused unread
    longer,       // it unpacks to more than the size said
    broken,       // cut short or corrupt
    failed,       // zlib could not unpack it otherwise (out of memory)
    shorter,      // it ends before the size said
    trailing,     // bytes follow the end of the stream
};

struct unpacking {
    unpack_fault fault = unpack_fault::none;
    const char* zlib_says = "";  // zlib's own words on the stream, for `failed`
    std::size_t unpacked = 0;   // how long the stream turned out, for `shorter`
    std::size_t left_over = 0;  // the bytes after its end, for `trailing`
};

// Unpacks the `packed_size` bytes at `packed` into exactly `length` bytes of
// `text`; on any fault `text` is unspecified.
unpacking zlib_unpack(const char* packed, std::size_t packed_size, std::size_t length, std::string& text);
