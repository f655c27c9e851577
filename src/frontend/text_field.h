// A line of text the player types into: the characters the keyboard's layout
// makes, as far as the field's rule and length allow; Backspace, Delete,
// Left, Right, Home and End; Ctrl+V pastes the clipboard's text, filtered to
// the rule. Enter confirms and Escape leaves; the screen decides what either
// means.
#pragma once

#include <cstddef>
#include <string>

#include "app/input.h"

class text_field {
public:
    using char_rule = bool (*)(unsigned char c);
    using clipboard_source = std::string (*)();
    enum class outcome { editing, confirmed, left };

    // `takes` says which characters the field holds, `most` how many.
    text_field(char_rule takes, std::size_t most);

    // Replaces the text (filtered, cut to length), the cursor at its end.
    void set_text(const std::string& text);
    const std::string& get_text() const { return text; }
    std::size_t get_cursor() const { return cursor; }

    // Takes every key typed since the last update; the first Enter or Escape
    // is returned, and the keys typed after it, meant for a field that is
    // done, are dropped.
    outcome update();
    // One key, as update takes each.
    outcome type(const typed_key& key);

    // The text at (x, y) with its cursor when `focused`; `big` picks the font.
    void draw(int x, int y, bool big, bool focused) const;

    // For tests: where Ctrl+V reads from (the display's clipboard by default).
    void set_clipboard(clipboard_source source) { clipboard = source; }

private:
    void insert(const std::string& typed);

    char_rule takes;
    std::size_t most;
    std::string text;
    std::size_t cursor = 0;
    clipboard_source clipboard;
};
