#include "netplay/chat_box.h"

#include <allegro5/allegro_primitives.h>

#include "app/input.h"
#include "app/logical_screen.h"
#include "app/text.h"
#include "match/chat_text.h"
#include "net/net_session.h"

namespace {

const int typed_y = logical_height - 50;
const char* const prompt = "SAY: ";

}  // namespace

chat_box::chat_box() : field(is_chat_char, max_chat_text) {}

void chat_box::init(net_session& new_session, bool enter_opening)
{
    session = &new_session;
    enter_opens = enter_opening;
    open = false;
    now = 0;
    lines.clear();
    field.set_text("");
    // What was said before this screen is not news on it.
    heard_taken = session->get_chat().count();
}

bool chat_box::update()
{
    now++;
    take_heard();
    const bool was_open = open;
    std::vector<typed_key> keys = take_typed_keys();
    for (const typed_key& key : keys) {
        if (!open) {
            open = opens(key);
            continue;
        }
        const text_field::outcome said = field.type(key);
        if (said == text_field::outcome::editing)
            continue;
        if (said == text_field::outcome::confirmed && !field.get_text().empty())
            session->say(field.get_text());
        field.set_text("");
        open = false;
        // The keys typed after Enter or Escape are the screen's to miss.
        break;
    }
    return was_open || open;
}

bool chat_box::opens(const typed_key& key) const
{
    // A watcher reads the lines and says none.
    if (session->get_roster().own() == own_role::watcher)
        return false;
    const bool enter = key.keycode == ALLEGRO_KEY_ENTER || key.keycode == ALLEGRO_KEY_PAD_ENTER;
    return key.keycode == ALLEGRO_KEY_T || (enter_opens && enter);
}

// Each new line with its speaker's name and shirt as they are now, since
// the slots of a lobby move up when someone leaves.
void chat_box::take_heard()
{
    const std::vector<net_player>& humans = session->get_roster().humans();
    for (const net_chat& line : session->get_chat().since(heard_taken)) {
        chat_entry entry;
        entry.tick = now;
        entry.text = line.text;
        entry.note = line.slot == net_chat_note_slot;
        if (!entry.note && line.slot >= static_cast<int>(humans.size()))
            continue;
        if (!entry.note) {
            entry.name = humans[static_cast<std::size_t>(line.slot)].name;
            entry.shirt = humans[static_cast<std::size_t>(line.slot)].colors[1];
        }
        lines.push_back(entry);
    }
    if (lines.size() > chat_lines_shown)
        lines.erase(lines.begin(), lines.end() - static_cast<std::ptrdiff_t>(chat_lines_shown));
}

void chat_box::draw() const
{
    draw_chat_lines(shown(), typed_y - chat_line_height / 2);
    if (!open)
        return;
    const int prompt_width = text_width(static_cast<int>(std::string(prompt).size()), false);
    const int right = chat_left + prompt_width + text_width(static_cast<int>(max_chat_text) + 1, false);
    al_draw_filled_rectangle(chat_left - 4, typed_y - 4, right, typed_y + 30, al_map_rgba(0, 0, 0, 190));
    draw_text(al_map_rgb(255, 220, 64), prompt, chat_left, typed_y, false);
    field.draw(chat_left + prompt_width, typed_y, false, true);
}
