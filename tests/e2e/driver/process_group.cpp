// A program and the processes it starts, held in one job object.
#include "e2e/driver/process_group.h"

#include <cstdio>
#include <vector>

#include "e2e/driver/driver.h"

namespace e2e {

ProcessGroup::~ProcessGroup() {
    if (process_ != nullptr) CloseHandle(process_);
    // The job kills what is left of the group when its last handle closes.
    if (job_ != nullptr) CloseHandle(job_);
}

bool ProcessGroup::start(const std::string& commandLine) {
    // Wine starts the desktop process of a prefix (explorer.exe) from the first program there
    // that asks for the desktop window, and it serves the prefix until its end: asking first,
    // from outside the job, keeps it out of the group.
    GetDesktopWindow();
    job_ = CreateJobObjectA(nullptr, nullptr);
    if (job_ == nullptr) return false;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof(limits));

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::vector<char> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back('\0');
    // Suspended until it is in the job, so that nothing it starts can escape the group.
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        nullptr, &startup, &info)) {
        std::fprintf(stderr, "CreateProcess(%s) failed: error %lu\n", commandLine.c_str(), GetLastError());
        return false;
    }
    const bool joined = AssignProcessToJobObject(job_, info.hProcess) != FALSE;
    if (!joined) {
        std::fprintf(stderr, "AssignProcessToJobObject failed: error %lu\n", GetLastError());
        TerminateProcess(info.hProcess, 99);
    } else {
        ResumeThread(info.hThread);
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    return joined;
}

bool ProcessGroup::waitForAll(DWORD timeoutMs, DWORD* exitCode) {
    if (job_ == nullptr || process_ == nullptr) return false;
    const double end = NowMs() + timeoutMs;
    for (;;) {
        JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
        if (!QueryInformationJobObject(job_, JobObjectBasicAccountingInformation, &accounting,
                                       sizeof(accounting), nullptr))
            return false;
        if (accounting.ActiveProcesses == 0) break;
        if (NowMs() > end) {
            reportRunning();
            return false;
        }
        SleepMs(20);
    }
    return GetExitCodeProcess(process_, exitCode) != FALSE;
}

void ProcessGroup::reportRunning() const {
    struct {
        JOBOBJECT_BASIC_PROCESS_ID_LIST list;
        ULONG_PTR more[63];
    } ids = {};
    ids.list.NumberOfAssignedProcesses = 64;
    if (!QueryInformationJobObject(job_, JobObjectBasicProcessIdList, &ids, sizeof(ids), nullptr)) return;
    for (DWORD i = 0; i < ids.list.NumberOfProcessIdsInList; ++i) {
        const DWORD pid = static_cast<DWORD>(ids.list.ProcessIdList[i]);
        char name[MAX_PATH] = "?";
        DWORD size = sizeof(name);
        HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
        if (process != nullptr) {
            QueryFullProcessImageNameA(process, 0, name, &size);
            CloseHandle(process);
        }
        std::fprintf(stderr, "still running: process %lu, %s\n", pid, name);
    }
}

bool RunToEnd(const std::string& commandLine, DWORD timeoutMs, DWORD* exitCode) {
    ProcessGroup group;
    return group.start(commandLine) && group.waitForAll(timeoutMs, exitCode);
}

}  // namespace e2e
