// How a checking reader gives up: its first fault, written printf-style,
// becomes the one line of reason its caller shows, after the reader's own
// words for where the fault was (the file, the message, the human and run).
#pragma once

#include <string>

class reason_keeper {
public:
    explicit reason_keeper(std::string& reason) : kept(reason) {}
    virtual ~reason_keeper() = default;

protected:
    // Keeps the reason; false, for the reader to return in turn.
    __attribute__((format(printf, 2, 3))) bool fail(const char* format, ...);
    // What the reason starts with, e.g. "tower.zkm: ".
    virtual std::string where() const = 0;

private:
    std::string& kept;
};
