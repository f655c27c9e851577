#include "frontend/text_field.h"

#include <allegro5/allegro_primitives.h>

#include "app/shell.h"
#include "app/text.h"

namespace {

const int first_printable = 32;
const int last_printable = 126;
// The cursor: a bar under the character it stands before.
const int cursor_drop_small = 22;
const int cursor_drop_big = 32;

std::string display_clipboard()
{
    if (!display || !al_clipboard_has_text(display))
        return std::string();
    char* pasted = al_get_clipboard_text(display);
    if (!pasted)
        return std::string();
    std::string text = pasted;
    al_free(pasted);
    return text;
}

}  // namespace

text_field::text_field(char_rule field_takes, std::size_t most_characters)
    : takes(field_takes), most(most_characters), clipboard(display_clipboard)
{
}

void text_field::set_text(const std::string& new_text)
{
    text.clear();
    cursor = 0;
    insert(new_text);
}

// Only what the rule takes, and only while there is room; the rest is dropped.
void text_field::insert(const std::string& typed)
{
    for (char c : typed) {
        if (text.size() >= most)
            return;
        if (!takes(static_cast<unsigned char>(c)))
            continue;
        text.insert(cursor, 1, c);
        cursor++;
    }
}

text_field::outcome text_field::update()
{
    std::vector<typed_key> keys = take_typed_keys();
    for (const typed_key& key : keys) {
        const outcome now = type(key);
        if (now != outcome::editing)
            return now;
    }
    return outcome::editing;
}

text_field::outcome text_field::type(const typed_key& key)
{
    const bool ctrl = (key.modifiers & (ALLEGRO_KEYMOD_CTRL | ALLEGRO_KEYMOD_COMMAND)) != 0;
    switch (key.keycode) {
    case ALLEGRO_KEY_ENTER:
    case ALLEGRO_KEY_PAD_ENTER: return outcome::confirmed;
    case ALLEGRO_KEY_ESCAPE: return outcome::left;
    case ALLEGRO_KEY_BACKSPACE:
        if (cursor > 0)
            text.erase(--cursor, 1);
        return outcome::editing;
    case ALLEGRO_KEY_DELETE:
        if (cursor < text.size())
            text.erase(cursor, 1);
        return outcome::editing;
    case ALLEGRO_KEY_LEFT:
        if (cursor > 0)
            cursor--;
        return outcome::editing;
    case ALLEGRO_KEY_RIGHT:
        if (cursor < text.size())
            cursor++;
        return outcome::editing;
    case ALLEGRO_KEY_HOME: cursor = 0; return outcome::editing;
    case ALLEGRO_KEY_END: cursor = text.size(); return outcome::editing;
    default: break;
    }
    if (ctrl) {
        if (key.keycode == ALLEGRO_KEY_V && clipboard)
            insert(clipboard());
        return outcome::editing;
    }
    if (key.unichar >= first_printable && key.unichar <= last_printable)
        insert(std::string(1, static_cast<char>(key.unichar)));
    return outcome::editing;
}

void text_field::draw(int x, int y, bool big, bool focused) const
{
    const ALLEGRO_COLOR white = al_map_rgb(255, 255, 255);
    draw_text(white, text.c_str(), x, y, big);
    if (!focused)
        return;
    const float left = static_cast<float>(x + text_width(static_cast<int>(cursor), big));
    const float width = static_cast<float>(text_width(1, big));
    const float under = static_cast<float>(y + (big ? cursor_drop_big : cursor_drop_small));
    al_draw_filled_rectangle(left, under, left + width, under + 3, white);
}
