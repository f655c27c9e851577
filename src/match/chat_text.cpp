#include "match/chat_text.h"

bool is_chat_char(unsigned char c)
{
    return c >= ' ' && c <= '~';
}

bool is_chat_text(const std::string& text)
{
    if (text.empty() || text.size() > max_chat_text)
        return false;
    for (char c : text)
        if (!is_chat_char(static_cast<unsigned char>(c)))
            return false;
    return true;
}
