// What the packet reader and the replay reader share: the bytes they read,
// how they tell a value cut off or a number too long, and the checks of the
// match's values both carry, each refusal with its reason. Each reader takes
// a value in its own format and holds it to the game's limits here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "codec/byte_codec.h"
#include "codec/input_runs.h"
#include "codec/reason_keeper.h"
#include "match/match_rules.h"

class checked_reader : protected reason_keeper {
protected:
    // `whole_name` is what the reasons call the bytes: "packet", "body".
    checked_reader(const std::string& bytes, const char* whole_name, std::string& reason)
        : reason_keeper(reason), in(bytes), whole(whole_name)
    {
    }

    bool number(const char* what, std::uint64_t& value);
    // A varint fails where the bytes end, or else by being longer than any number.
    bool varint_failed(const char* what);
    bool ends_inside(const char* what);

    // Each holds `value` to its limits and puts it `into` the game's own type.
    bool check_colour(int part, std::uint64_t value, int& into);
    bool check_skill(std::uint64_t value, int& into);
    bool check_keys(std::uint64_t value, std::uint16_t& into);
    bool check_buttons(std::uint64_t value, std::uint8_t& into);
    // Reads one of the two scales (f32) as well.
    bool read_scale(const char* which, float& into);
    // Reads a length of 1 to `most` and that many bytes; `what` names it in
    // the reasons ("map name": "the map name's length", "a map name of ...").
    bool take_text(const char* what, std::size_t most, std::string& text);
    // Reads the map name's length and bytes; the caller holds it to is_map_name.
    bool take_map_name(std::string& name);
    bool check_map_text_length(std::uint64_t length);
    // Reads a player's name (a length and its bytes), held to is_player_name.
    bool read_player_name(std::string& name);
    // Reads a chat line's text (a length and its bytes), held to is_chat_text.
    bool read_chat_text(std::string& text);
    // Reads the score and the time limit (two varints), each held to its rule.
    bool read_match_rules(match_rules& rules);
    // Reads a run (see input_runs.h): its length 1..`longest` (the reason
    // calls the most `longest_is`), its keys and buttons held to the game's,
    // its moves to what the pointer's reach allows.
    bool read_run(run_change& change, std::uint64_t longest, const char* longest_is);

    static std::string counted(std::uint64_t count, const char* thing);
    static unsigned long long wide(std::uint64_t value) { return value; }

    byte_reader in;

private:
    bool read_move(const char* axis, std::int64_t& move);

    const char* whole;
};
