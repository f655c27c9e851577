// A chat line's text: the one rule the packet reader, the replay reader and
// the chat box's field hold a line to.
#pragma once

#include <cstddef>
#include <string>

const std::size_t max_chat_text = 100;

// Printable ASCII, space to '~'.
bool is_chat_char(unsigned char c);
// 1 to 100 of those.
bool is_chat_text(const std::string& text);
