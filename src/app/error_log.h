// The error log: failures after the window exists, one line each, shown once at exit.
// Portable: plain text handling only.
#pragma once

#include <cstddef>

class ErrorLog {
public:
    static constexpr std::size_t kCapacity = 1024;

    // Appends text (which carries its own newline). Text that would not fit is cut at the
    // capacity; the log always stays zero-terminated.
    void append(const char* text);
    const char* text() const { return buffer_; }
    bool empty() const { return buffer_[0] == '\0'; }

private:
    char buffer_[kCapacity] = {};
    std::size_t length_ = 0;
};
