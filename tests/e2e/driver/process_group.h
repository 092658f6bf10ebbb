// A program started together with every process it starts in turn, for programs that hand their
// work on: an NSIS uninstaller copies itself to a temporary folder, starts the copy and returns
// at once, so the end of the first process says nothing about the work being done.
#pragma once

#include <windows.h>

#include <string>

namespace e2e {

class ProcessGroup {
public:
    ProcessGroup() = default;
    // Ends every process of the group that still runs.
    ~ProcessGroup();
    ProcessGroup(const ProcessGroup&) = delete;
    ProcessGroup& operator=(const ProcessGroup&) = delete;

    bool start(const std::string& commandLine);
    // The first process.
    DWORD pid() const { return pid_; }
    // Waits up to timeoutMs until every process of the group has ended; true with the first
    // process's exit code when they all did.
    bool waitForAll(DWORD timeoutMs, DWORD* exitCode);

private:
    // Names the processes of the group that still run, on the error stream.
    void reportRunning() const;

    HANDLE job_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Runs a command line until all of its processes have ended, at most timeoutMs.
bool RunToEnd(const std::string& commandLine, DWORD timeoutMs, DWORD* exitCode);

}  // namespace e2e
