// The user's default browser: its open command from the registry, and the launch on an address.
#include "app/browser.h"

#include <cstring>

#include "app/app_state.h"

const char kBrowserCommandKey[] = "http\\shell\\open\\command";

bool ReadCommandValue(HKEY root, const char* subKey, char (&command)[kBrowserCommandSize]) {
    command[0] = '\0';
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    // Read into a scratch buffer: a failed read may leave part of a longer value behind.
    // The value's type is not examined; whatever it holds is only ever used as text.
    char value[kBrowserCommandSize];
    DWORD length = sizeof(value);
    const LONG read = RegQueryValueExA(key, nullptr, nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(value), &length);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS || !TerminateCommandValue(value, length)) return false;
    std::memcpy(command, value, sizeof(value));
    return true;
}

bool ReadBrowserCommand() {
    return ReadCommandValue(HKEY_CLASSES_ROOT, kBrowserCommandKey, app.browserCommand);
}

bool LaunchBrowser(const char* address) {
    const std::string line = BuildLaunchLine(app.browserCommand, address);
    // Values of 31 and below are WinExec's failures.
    return WinExec(line.c_str(), SW_SHOWNORMAL) > 31;
}
