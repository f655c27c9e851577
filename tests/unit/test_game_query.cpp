// The finder's query and the host's answer: every refusal of the checking
// readers, an answer never larger than its query, and the host's budget of
// 20 answers a second on a clock the test moves.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "net/game_answerer.h"
#include "net/game_query.h"
#include "net/net_messages.h"

namespace {

const std::uint8_t* bytes_of(const std::string& text)
{
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

game_answer tower_answer()
{
    game_answer answer;
    answer.nonce = 0x12345678;
    answer.version = net_protocol_version;
    answer.listing.name = "ANNA";
    answer.listing.map = "tower.zkm";
    answer.listing.players = 3;
    answer.listing.playing = true;
    return answer;
}

// An answer's bytes from its fields, written here by hand so that the
// reader meets what the writer would never make.
std::string answer_bytes(std::uint8_t version, std::uint8_t state, std::uint8_t players, const std::string& name,
                         const std::string& map)
{
    std::string out = "ZA";
    out += std::string("\x78\x56\x34\x12", 4);
    out += char(version);
    out += char(state);
    out += char(players);
    out += char(name.size()) + name;
    out += char(map.size()) + map;
    return out;
}

TEST(GameQuery, AnswerReadsBackAsWritten)
{
    const std::string bytes = encode_answer(tower_answer());
    game_answer back;
    std::string error;
    ASSERT_TRUE(decode_answer(bytes_of(bytes), bytes.size(), back, error)) << error;
    EXPECT_EQ(back, tower_answer());
    EXPECT_EQ(bytes, answer_bytes(net_protocol_version, 1, 3, "ANNA", "tower.zkm"));

    // A server nobody has joined yet is listed too.
    game_answer empty = tower_answer();
    empty.listing.players = 0;
    const std::string empty_bytes = encode_answer(empty);
    ASSERT_TRUE(decode_answer(bytes_of(empty_bytes), empty_bytes.size(), back, error)) << error;
    EXPECT_EQ(back, empty);

    std::uint32_t nonce = 0;
    const std::string query = encode_query(0xdeadbeef);
    ASSERT_TRUE(decode_query(bytes_of(query), query.size(), nonce, error)) << error;
    EXPECT_EQ(nonce, 0xdeadbeefu);
}

TEST(GameQuery, ReadersRefuseWhatIsNotWhole)
{
    const std::string good = answer_bytes(1, 0, 2, "ANNA", "tower.zkm");
    const std::string query = encode_query(7);
    struct refusal {
        const char* what;
        bool is_query;
        std::string bytes;
        std::string reason;  // a part of the reason given
    } table[] = {
        {"empty", false, "", "not a game answer"},
        {"the game's own magic", false, "ZK" + good.substr(2), "not a game answer"},
        {"a query for an answer", false, query, "not a game answer"},
        {"cut in the nonce", false, good.substr(0, 4), "ends inside the nonce"},
        {"cut in the map name", false, good.substr(0, good.size() - 1), "ends inside the map name"},
        {"trailing", false, good + "x", "1 trailing byte"},
        {"a length longer than it needs be", false,
         good.substr(0, good.size() - 10) + std::string("\x89\x00", 2) + "tower.zkm", "length is not a number"},
        {"oversized", false, good + std::string(game_query_size, 'x'), "at most"},
        {"version 0", false, answer_bytes(0, 0, 2, "ANNA", "tower.zkm"), "version 0"},
        {"state 2", false, answer_bytes(1, 2, 2, "ANNA", "tower.zkm"), "state 2"},
        {"twelve players", false, answer_bytes(1, 0, 12, "ANNA", "tower.zkm"), "12 players"},
        {"empty name", false, answer_bytes(1, 0, 2, "", "tower.zkm"), "name of 0 bytes"},
        {"long name", false, answer_bytes(1, 0, 2, "ANNA567890123456", "tower.zkm"), "name of 16 bytes"},
        {"name with a dot", false, answer_bytes(1, 0, 2, "AN.NA", "tower.zkm"), "letters, digits"},
        {"name with a newline", false, answer_bytes(1, 0, 2, "AN\nNA", "tower.zkm"), "letters, digits"},
        {"map not .zkm", false, answer_bytes(1, 0, 2, "ANNA", "tower.txt"), "not a map file name"},
        {"map with a path", false, answer_bytes(1, 0, 2, "ANNA", "../tower.zkm"), "not a map file name"},
        {"wrong magic", true, "ZA" + query.substr(2), "not a game query"},
        {"short query", true, query.substr(0, query.size() - 1), "not " + std::to_string(game_query_size)},
        {"oversized query", true, query + "x", "bytes, not"},
        {"bare magic", true, "ZQ", "of 2 bytes"},
    };
    for (const refusal& row : table) {
        std::string error;
        bool read = false;
        if (row.is_query) {
            std::uint32_t nonce = 0;
            read = decode_query(bytes_of(row.bytes), row.bytes.size(), nonce, error);
        } else {
            game_answer answer;
            read = decode_answer(bytes_of(row.bytes), row.bytes.size(), answer, error);
        }
        EXPECT_FALSE(read) << row.what;
        EXPECT_NE(error.find(row.reason), std::string::npos) << row.what << ": " << error;
    }
}

TEST(GameQuery, AnswerIsNeverLargerThanTheQuery)
{
    game_answer largest = tower_answer();
    largest.listing.name = std::string(max_host_name, 'W');
    largest.listing.map = std::string(max_map_name - 4, 'm') + ".zkm";
    largest.listing.players = 11;
    largest.version = 255;
    EXPECT_EQ(encode_answer(largest).size(), game_query_size);
    EXPECT_EQ(encode_query(0).size(), game_query_size);
    largest.listing.name += "W";
    EXPECT_EQ(encode_answer(largest), "") << "a name too long is not written";

    // The host answers a whole query, and nothing shorter.
    game_answerer host;
    host.set_listing(largest.listing);
    const std::string query = encode_query(1);
    EXPECT_EQ(host.answer(bytes_of(query), query.size() - 1, {}), "");
    largest.listing.name.pop_back();
    host.set_listing(largest.listing);
    EXPECT_LE(host.answer(bytes_of(query), query.size(), {}).size(), query.size());
}

TEST(GameQuery, HostAnswersTwentyQueriesASecond)
{
    game_answerer host;
    const std::string query = encode_query(42);
    const answer_budget::clock::time_point start{};
    auto answered = [&](std::chrono::milliseconds at) {
        return !host.answer(bytes_of(query), query.size(), start + at).empty();
    };
    EXPECT_FALSE(answered(std::chrono::milliseconds(0))) << "nothing to answer before a listing";
    host.set_listing(tower_answer().listing);
    for (int query_number = 0; query_number < answer_budget::per_second; query_number++)
        EXPECT_TRUE(answered(std::chrono::milliseconds(10 * query_number))) << query_number;
    EXPECT_FALSE(answered(std::chrono::milliseconds(500)));
    EXPECT_FALSE(answered(std::chrono::milliseconds(999)));
    // A second after the first, one more; the second's turn comes 10 ms later.
    EXPECT_TRUE(answered(std::chrono::milliseconds(1000)));
    EXPECT_FALSE(answered(std::chrono::milliseconds(1005)));
    EXPECT_TRUE(answered(std::chrono::milliseconds(1010)));
}

}  // namespace
