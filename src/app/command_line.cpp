// Reading the screen-saver switches from the whole command line (program path included).
#include "app/command_line.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Past the program path: a quoted path up to and past its closing quote, otherwise up to and
// past the first blank.
const char* SkipProgramPath(const char* p) {
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && *p != ' ') ++p;
        if (*p == ' ') ++p;
    }
    return p;
}

// The first run of decimal digits from p, as a handle. A number too large for a handle cannot
// name a window, so it gives 0 (no handle) rather than a wrapped value.
std::uintptr_t ReadHandle(const char* p) {
    while (*p != '\0' && !IsDigit(*p)) ++p;
    std::uintptr_t value = 0;
    const std::uintptr_t limit = static_cast<std::uintptr_t>(-1);
    for (; IsDigit(*p); ++p) {
        const std::uintptr_t digit = static_cast<std::uintptr_t>(*p - '0');
        if (value > (limit - digit) / 10) return 0;
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

RunMode ParseCommandLine(const char* text, std::uintptr_t* parentHandle) {
    *parentHandle = 0;
    if (text == nullptr) return RunMode::Configure;

    const char* p = SkipProgramPath(text);
    while (*p != '\0' && *p != '/' && *p != '-') ++p;
    if (*p == '\0') return RunMode::Configure;

    const char* letter = p + 1;
    switch (*letter) {
        case 'A': case 'a':
            *parentHandle = ReadHandle(letter);
            return RunMode::PasswordChange;
        case 'C': case 'c':
            *parentHandle = ReadHandle(letter);
            return RunMode::Configure;
        case 'P': case 'p':
            *parentHandle = ReadHandle(letter);
            return RunMode::Preview;
        case 'T': case 't':
            return RunMode::Test;
        default:
            return RunMode::Saver;
    }
}
