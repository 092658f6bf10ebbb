// The browser's open command as text: the registry value made safe to use, and the launch line.
#include "app/browser_command.h"

#include <cstring>

bool TerminateCommandValue(char (&value)[kBrowserCommandSize], std::size_t length) {
    if (length < kBrowserCommandSize) {
        value[length] = '\0';
        return true;
    }
    // A full buffer is text only if it already ends somewhere inside; cutting a longer
    // command short could name another program.
    if (length == kBrowserCommandSize && std::memchr(value, '\0', length) != nullptr) return true;
    value[0] = '\0';
    return false;
}

std::string BuildLaunchLine(const char (&command)[kBrowserCommandSize], const char* address) {
    const void* end = std::memchr(command, '\0', kBrowserCommandSize);
    const std::size_t length = end != nullptr
        ? static_cast<std::size_t>(static_cast<const char*>(end) - command)
        : kBrowserCommandSize;
    std::string line(command, length);
    line += ' ';
    if (address != nullptr) line += address;
    return line;
}
