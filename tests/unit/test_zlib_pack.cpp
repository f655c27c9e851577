// The one zlib packer and unpacker: text comes back exactly, a failure to
// pack is told rather than written, and each way a stream can be wrong is
// named, a stream too short for its size before any memory is taken.
#include <string>

#include <gtest/gtest.h>

#include "codec/zlib_pack.h"

namespace {

std::string packed(const std::string& text)
{
    std::string out;
    EXPECT_TRUE(zlib_pack(text, out));
    return out;
}

TEST(ZlibPack, TextComesBackExactly)
{
    for (const std::string& text : {std::string(), std::string("abc"), std::string(100000, 'x')}) {
        const std::string stream = packed(text);
        std::string back;
        const unpacking unpacked = zlib_unpack(stream.data(), stream.size(), text.size(), back);
        EXPECT_EQ(unpacked.fault, unpack_fault::none) << text.size();
        EXPECT_EQ(back, text);
    }
}

TEST(ZlibPack, AFailureToPackIsTold)
{
    std::string out;
    EXPECT_FALSE(zlib_pack("abc", out, 42));
}

TEST(ZlibPack, EachWrongStreamIsNamed)
{
    std::string corrupt = packed("abc");
    corrupt.back() ^= 1;
    const struct {
        const char* what;
        std::string stream;
        std::size_t length;
        unpack_fault fault;
    } table[] = {
        {"a bomb", "tiny", 4u << 20, unpack_fault::cannot_hold},
        {"longer than said", packed("abc"), 2, unpack_fault::longer},
        {"corrupt", corrupt, 3, unpack_fault::broken},
        {"shorter than said", packed("abc"), 4, unpack_fault::shorter},
        {"bytes after the end", packed("abc") + "zz", 3, unpack_fault::trailing},
    };
    for (const auto& row : table) {
        std::string text;
        const unpacking unpacked = zlib_unpack(row.stream.data(), row.stream.size(), row.length, text);
        EXPECT_EQ(unpacked.fault, row.fault) << row.what;
        if (row.fault == unpack_fault::cannot_hold) {
            EXPECT_EQ(text.capacity(), std::string().capacity()) << "no memory taken for " << row.what;
        }
    }
}

}  // namespace
