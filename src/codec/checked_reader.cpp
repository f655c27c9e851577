#include "codec/checked_reader.h"

#include <cmath>
#include <limits>

#include "match/chat_text.h"
#include "match/control.h"
#include "match/match_limits.h"
#include "match/player_name.h"

bool checked_reader::number(const char* what, std::uint64_t& value)
{
    return in.varint(value) || varint_failed(what);
}

bool checked_reader::varint_failed(const char* what)
{
    return in.left() == 0 ? ends_inside(what) : fail("%s is not a number", what);
}

bool checked_reader::ends_inside(const char* what)
{
    return fail("the %s ends inside %s", whole, what);
}

bool checked_reader::check_colour(int part, std::uint64_t value, int& into)
{
    if (value >= static_cast<std::uint64_t>(colour_counts[part]))
        return fail("%s colour %llu is not 0 to %d", colour_names[part], wide(value),
                    colour_counts[part] - 1);
    into = static_cast<int>(value);
    return true;
}

bool checked_reader::check_skill(std::uint64_t value, int& into)
{
    if (value > static_cast<std::uint64_t>(easiest_skill))
        return fail("skill %llu is not %d (hard) to %d (easy)", wide(value), hardest_skill, easiest_skill);
    into = static_cast<int>(value);
    return true;
}

bool checked_reader::check_keys(std::uint64_t value, std::uint16_t& into)
{
    if (value & ~std::uint64_t(all_control_keys))
        return fail("keys 0x%llx hold one the game has no key for", wide(value));
    into = static_cast<std::uint16_t>(value);
    return true;
}

bool checked_reader::check_buttons(std::uint64_t value, std::uint8_t& into)
{
    if (value & ~std::uint64_t(all_control_buttons))
        return fail("buttons 0x%llx hold one the game has no button for", wide(value));
    into = static_cast<std::uint8_t>(value);
    return true;
}

bool checked_reader::read_scale(const char* which, float& into)
{
    if (!in.f32(into))
        return ends_inside("the scale");
    if (!std::isfinite(into) || into < smallest_scale || into > largest_scale)
        return fail("the %s scale %g is not %g to %g", which, static_cast<double>(into),
                    static_cast<double>(smallest_scale), static_cast<double>(largest_scale));
    return true;
}

bool checked_reader::take_text(const char* what, std::size_t most, std::string& text)
{
    std::uint64_t length = 0;
    if (!number(("the " + std::string(what) + "'s length").c_str(), length))
        return false;
    if (length < 1 || length > most)
        return fail("a %s of %llu bytes (1 to %zu)", what, wide(length), most);
    return in.take(length, text) || ends_inside(("the " + std::string(what)).c_str());
}

bool checked_reader::take_map_name(std::string& name)
{
    return take_text("map name", max_map_name, name);
}

bool checked_reader::read_player_name(std::string& name)
{
    if (!take_text("name", max_player_name, name))
        return false;
    if (!is_player_name(name))
        return fail("the name is not a player's name (letters, digits, space, '-', '_')");
    return true;
}

bool checked_reader::read_chat_text(std::string& text)
{
    if (!take_text("chat line", max_chat_text, text))
        return false;
    for (std::size_t i = 0; i < text.size(); i++)
        if (!is_chat_char(static_cast<unsigned char>(text[i])))
            return fail("the chat line's byte %zu is %d, not a printable character (32 to 126)", i + 1,
                        static_cast<unsigned char>(text[i]));
    return true;
}

bool checked_reader::read_match_rules(match_rules& rules)
{
    std::uint64_t kills = 0;
    std::uint64_t minutes = 0;
    if (!number("the score limit", kills) || !number("the time limit", minutes))
        return false;
    // Beyond 32 bits the rules' own checks would see the number cut.
    const std::uint64_t widest = std::numeric_limits<std::uint32_t>::max();
    if (kills > widest || !is_score_limit(static_cast<std::uint32_t>(kills)))
        return fail("a score limit of %llu kills (0 to %d)", wide(kills), most_score_limit);
    if (minutes > widest || !is_time_limit(static_cast<std::uint32_t>(minutes)))
        return fail("a time limit of %llu minutes (0 to %d)", wide(minutes), most_time_limit);
    rules.score_limit = static_cast<int>(kills);
    rules.time_limit = static_cast<int>(minutes);
    return true;
}

bool checked_reader::check_map_text_length(std::uint64_t length)
{
    if (length > max_map_text)
        return fail("a map text of %llu bytes (at most %zu)", wide(length), max_map_text);
    return true;
}

std::string checked_reader::counted(std::uint64_t count, const char* thing)
{
    return std::to_string(count) + " " + thing + (count == 1 ? "" : "s");
}

bool checked_reader::read_run(run_change& change, std::uint64_t longest, const char* longest_is)
{
    std::uint8_t flags = 0;
    if (!in.byte(flags))
        return ends_inside("the run");
    std::uint64_t ticks = flags >> run_flags::length_shift;
    if (ticks == 0 && !number("the run's length", ticks))
        return false;
    if (ticks == 0)
        return fail("the run lasts 0 ticks");
    if (ticks > longest)
        return fail("the run lasts longer than %s", longest_is);
    change = run_change();
    change.changed = flags & run_flags::changes;
    change.ticks = static_cast<std::uint32_t>(ticks);
    std::uint64_t value = 0;
    if ((flags & run_flags::keys_changed) && !(number("the keys", value) && check_keys(value, change.keys)))
        return false;
    if ((flags & run_flags::buttons_changed) &&
        !(number("the buttons", value) && check_buttons(value, change.buttons)))
        return false;
    return (!(flags & run_flags::pointer_x_moved) || read_move("x", change.move_x)) &&
           (!(flags & run_flags::pointer_y_moved) || read_move("y", change.move_y));
}

// No move takes the pointer from one end of its reach past the other.
bool checked_reader::read_move(const char* axis, std::int64_t& move)
{
    if (!in.zigzag(move))
        return varint_failed("the pointer's move");
    const std::int64_t across = 2 * std::int64_t(max_pointer_reach);
    if (move < -across || move > across)
        return fail("the pointer's %s goes beyond %lld pixels", axis, static_cast<long long>(max_pointer_reach));
    return true;
}
