// The user's browser as the end-to-end tests see it: the recorder set as the http open command.
#include "e2e/driver/browser_recorder.h"

#include <windows.h>

#include <cstdio>
#include <fstream>

namespace e2e {

namespace {

// Written through HKEY_CLASSES_ROOT, so that the key the saver reads is the one changed
// (under Wine the machine's classes: it shows no per-user classes).
const char kCommandKey[] = "http\\shell\\open\\command";

}  // namespace

bool BrowserRecorder::install() {
    char temp[MAX_PATH] = "";
    if (GetTempPathA(sizeof(temp), temp) == 0) return false;
    recordPath_ = std::string(temp) + "veloth-browser-launches.txt";
    command_ = "\"" VELOTH_RECORDER_PATH "\" \"" + recordPath_ + "\" \"%1\"";
    clear();

    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, kCommandKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return false;
    if (!installed_) {
        char old[4096];
        DWORD type = 0, size = sizeof(old);
        hadValue_ = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old),
                                     &size) == ERROR_SUCCESS;
        oldType_ = type;
        oldValue_.assign(old, hadValue_ ? size : 0);
    }
    const bool set = RegSetValueExA(key, nullptr, 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(command_.c_str()),
                                    static_cast<DWORD>(command_.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(key);
    installed_ = installed_ || set;
    return set;
}

void BrowserRecorder::restore() {
    if (!installed_) return;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kCommandKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        if (hadValue_)
            RegSetValueExA(key, nullptr, 0, oldType_,
                           reinterpret_cast<const BYTE*>(oldValue_.data()),
                           static_cast<DWORD>(oldValue_.size()));
        else
            RegDeleteValueA(key, nullptr);
        RegCloseKey(key);
    }
    clear();
    installed_ = false;
}

void BrowserRecorder::clear() const { DeleteFileA(recordPath_.c_str()); }

std::vector<std::string> BrowserRecorder::launches() const {
    std::vector<std::string> lines;
    std::ifstream record(recordPath_, std::ios::binary);
    for (std::string line; std::getline(record, line);) lines.push_back(line);
    return lines;
}

BrowserRecorder& RecordedBrowser() {
    static BrowserRecorder recorder;
    return recorder;
}

}  // namespace e2e
