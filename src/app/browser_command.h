// The browser's open command as text: the registry value made safe to use, and the line that
// starts the browser on an address. Portable: plain text handling only.
#pragma once

#include <cstddef>
#include <string>

// The command's buffer: at most 511 characters and the terminating zero.
constexpr std::size_t kBrowserCommandSize = 512;

// A registry read puts `length` bytes into `value` (a buffer of kBrowserCommandSize bytes) and
// does not promise a terminating zero. Makes the bytes one zero-terminated text and returns
// true; returns false, with `value` emptied, when the text cannot fit: all 512 bytes used and
// none of them zero, or a length beyond the buffer.
bool TerminateCommandValue(char (&value)[kBrowserCommandSize], std::size_t length);

// The command, one blank and the address: the line that starts the browser. The command is
// read only up to its terminator or the end of its buffer, whichever comes first.
std::string BuildLaunchLine(const char (&command)[kBrowserCommandSize], const char* address);
