// The user's default browser: its open command, read once from the registry at start, and the
// launch of that command on an address.
#pragma once

#include <windows.h>

#include "app/browser_command.h"

// Where the system keeps the browser's open command for http addresses.
extern const char kBrowserCommandKey[];  // "http\shell\open\command" under HKEY_CLASSES_ROOT

// Reads the open command into app.browserCommand. False, with the command left empty, when
// the key or its value is missing or the value does not fit.
bool ReadBrowserCommand();

// Reads the default value of root\subKey into command, at most kBrowserCommandSize bytes,
// always zero-terminated; a value that does not fit is refused and leaves command empty.
bool ReadCommandValue(HKEY root, const char* subKey, char (&command)[kBrowserCommandSize]);

// Runs app.browserCommand, one blank and the address. True when the system started it.
bool LaunchBrowser(const char* address);
