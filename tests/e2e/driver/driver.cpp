// The end-to-end test driver: starts the screen saver, finds its windows and message boxes,
// sends real input and looks at the screen.
#include "e2e/driver/driver.h"

#include <cstdio>
#include <cstdlib>

namespace e2e {

std::string SaverPath() {
    const char* path = std::getenv("VELOTH_SCR");
    return path != nullptr ? path : VELOTH_SCR_PATH;
}

namespace {

// Every saver this driver starts runs in one job that ends with the driver: a driver killed at
// its timeout must not leave a top-most full-screen saver on the display for the tests after
// it. The job's handle closes with the driver's process, and the job's processes with it.
HANDLE g_saverJob = nullptr;

HANDLE SaverJob() {
    if (g_saverJob != nullptr) return g_saverJob;
    g_saverJob = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (g_saverJob == nullptr ||
        !SetInformationJobObject(g_saverJob, JobObjectExtendedLimitInformation, &limits,
                                 sizeof(limits))) {
        std::fprintf(stderr, "driver: no job to end the savers with the driver, error %lu\n",
                     GetLastError());
    }
    return g_saverJob;
}

}  // namespace

SaverProcess::~SaverProcess() {
    if (process_ == nullptr) return;
    if (running()) {
        TerminateProcess(process_, 99);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
}

bool SaverProcess::start(const std::string& args) {
    std::string line = "\"" + SaverPath() + "\"";
    if (!args.empty()) line += " " + args;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    // Suspended until it is in the job, so that not even its first window escapes it.
    if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                        nullptr, nullptr, &startup, &info)) {
        std::fprintf(stderr, "CreateProcess(%s) failed: error %lu\n", line.c_str(), GetLastError());
        return false;
    }
    HANDLE job = SaverJob();
    if (job != nullptr && !AssignProcessToJobObject(job, info.hProcess))
        std::fprintf(stderr, "driver: saver not in the job, error %lu\n", GetLastError());
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    return true;
}

bool SaverProcess::running() const {
    return process_ != nullptr && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool SaverProcess::waitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(process_, exitCode);
    return true;
}

bool EndsWithin(SaverProcess& saver, DWORD ms, DWORD* code) {
    const double end = NowMs() + ms;
    while (NowMs() < end) {
        PumpMessages(50);
        if (saver.waitForExit(0, code)) return true;
    }
    return false;
}

double NowMs() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void SleepMs(DWORD ms) { Sleep(ms); }

std::string WindowText(HWND window) {
    char text[2048] = {};
    // WM_GETTEXT works across processes, unlike GetWindowText on a control of another process.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

std::string ClassName(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

namespace {

struct WindowSearch {
    DWORD pid;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && ClassName(window) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

template <typename Predicate>
bool WaitUntil(DWORD timeoutMs, Predicate done) {
    const double end = NowMs() + timeoutMs;
    for (;;) {
        if (done()) return true;
        if (NowMs() > end) return false;
        PumpMessages(20);
    }
}

}  // namespace

HWND WaitForWindow(DWORD pid, const char* className, DWORD timeoutMs, HWND parent) {
    WindowSearch search = {pid, className, nullptr};
    WaitUntil(timeoutMs, [&] {
        if (parent != nullptr)
            EnumChildWindows(parent, MatchWindow, reinterpret_cast<LPARAM>(&search));
        else
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
    return WaitUntil(timeoutMs, [&] { return !IsWindow(window); });
}

namespace {

struct BoxContents {
    std::string text;
    HWND icon;
};

BOOL CALLBACK ReadBoxChild(HWND child, LPARAM param) {
    BoxContents* contents = reinterpret_cast<BoxContents*>(param);
    if (ClassName(child) != "Static") return TRUE;
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) {
        contents->icon = child;
        return TRUE;
    }
    const std::string text = WindowText(child);
    if (!text.empty()) contents->text = text;
    return TRUE;
}

// No visible window stands above the window in the window order and overlaps it.
bool NothingAbove(HWND window) {
    RECT own = {};
    GetWindowRect(window, &own);
    for (HWND above = GetWindow(window, GW_HWNDPREV); above != nullptr;
         above = GetWindow(above, GW_HWNDPREV)) {
        RECT other = {}, overlap = {};
        if (IsWindowVisible(above) && GetWindowRect(above, &other) &&
            IntersectRect(&overlap, &own, &other))
            return false;
    }
    return true;
}

}  // namespace

bool WaitForMessageBox(DWORD pid, DWORD timeoutMs, MessageBoxText* out) {
    HWND box = WaitForWindow(pid, "#32770", timeoutMs);
    if (box == nullptr) return false;
    // The box may still be filling in its controls.
    BoxContents contents = {"", nullptr};
    WaitUntil(2000, [&] {
        contents = {"", nullptr};
        EnumChildWindows(box, ReadBoxChild, reinterpret_cast<LPARAM>(&contents));
        return !contents.text.empty();
    });
    out->box = box;
    out->title = WindowText(box);
    out->text = contents.text;
    out->topMost = (GetWindowLongA(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    out->uncovered = NothingAbove(box);
    out->foreground = WaitUntil(3000, [&] { return GetForegroundWindow() == box; });
    // Icon handles are not comparable across processes; the error icon is the one in red.
    out->errorIcon = false;
    RECT icon = {};
    if (contents.icon != nullptr && GetWindowRect(contents.icon, &icon)) {
        PumpMessages(200);  // let the box finish painting
        out->errorIcon = ShareOfColour(CaptureScreen(), icon, RGB(220, 30, 30), 60) > 0.15;
    }
    return true;
}

void PressOk(HWND box) {
    HWND ok = GetDlgItem(box, IDOK);
    if (ok != nullptr)
        PostMessageA(ok, BM_CLICK, 0, 0);
    else
        PostMessageA(box, WM_COMMAND, IDOK, 0);
}

namespace {

void Send(INPUT* inputs, UINT count) { SendInput(count, inputs, sizeof(INPUT)); }

// A pointer event at (x, y) in absolute coordinates. The system maps the 0..65535 range back
// to pixels rounding down, so the coordinate is rounded up to land on exactly that pixel.
INPUT MouseAt(int x, int y, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    input.mi.dx = static_cast<LONG>((x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((y * 65536LL + height - 1) / height);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    return input;
}

}  // namespace

void MoveMouse(int x, int y) {
    INPUT input = MouseAt(x, y, 0);
    Send(&input, 1);
}

void ClickAt(int x, int y, bool right) {
    INPUT inputs[2] = {MouseAt(x, y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
                       MouseAt(x, y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)};
    Send(inputs, 2);
}

void ClickMouse() {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(inputs, 2);
}

void PressKey(WORD virtualKey) {
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = virtualKey;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    Send(inputs, 2);
}

void PressKeyWithAlt(WORD virtualKey) {
    INPUT inputs[4] = {};
    for (INPUT& input : inputs) input.type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[3].ki.wVk = VK_MENU;
    inputs[1].ki.wVk = inputs[2].ki.wVk = virtualKey;
    inputs[2].ki.dwFlags = inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
    Send(inputs, 4);
}

COLORREF Screenshot::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const unsigned char* p = &bgrx[(static_cast<size_t>(y) * width + x) * 4];
    return RGB(p[2], p[1], p[0]);
}

bool Screenshot::save_bmp(const std::string& path) const {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = static_cast<DWORD>(file.bfOffBits + bgrx.size());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return false;
    const bool ok = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
                    std::fwrite(&info, sizeof(info), 1, out) == 1 &&
                    std::fwrite(bgrx.data(), 1, bgrx.size(), out) == bgrx.size();
    return std::fclose(out) == 0 && ok;
}

Screenshot CaptureScreen() {
    Screenshot shot;
    shot.width = GetSystemMetrics(SM_CXSCREEN);
    shot.height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, shot.width, shot.height, screen, 0, 0, SRCCOPY);
        GdiFlush();
        const unsigned char* data = static_cast<const unsigned char*>(bits);
        shot.bgrx.assign(data, data + static_cast<size_t>(shot.width) * shot.height * 4);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

double ShareOfColour(const Screenshot& shot, const RECT& area, COLORREF colour, int tolerance) {
    long matching = 0, total = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const COLORREF c = shot.pixel(x, y);
            ++total;
            if (std::abs(GetRValue(c) - GetRValue(colour)) <= tolerance &&
                std::abs(GetGValue(c) - GetGValue(colour)) <= tolerance &&
                std::abs(GetBValue(c) - GetBValue(colour)) <= tolerance)
                ++matching;
        }
    }
    return total == 0 ? 0.0 : static_cast<double>(matching) / total;
}

namespace {

double ShareOfChangedPixels(const Screenshot& before, const Screenshot& after) {
    if (before.bgrx.size() != after.bgrx.size() || before.bgrx.empty()) return 1.0;
    std::size_t changed = 0;
    for (std::size_t i = 0; i < before.bgrx.size(); i += 4) {
        if (before.bgrx[i] != after.bgrx[i] || before.bgrx[i + 1] != after.bgrx[i + 1] ||
            before.bgrx[i + 2] != after.bgrx[i + 2])
            ++changed;
    }
    return static_cast<double>(changed) / static_cast<double>(before.bgrx.size() / 4);
}

}  // namespace

HWND StartFullScreen(SaverProcess& saver, DWORD timeoutMs) {
    const double end = NowMs() + timeoutMs;
    const auto left = [&] { return static_cast<DWORD>(NowMs() < end ? end - NowMs() : 0); };
    const Screenshot before = CaptureScreen();
    if (!saver.start("/s")) return nullptr;
    HWND first = WaitForWindow(saver.pid(), "MyClass", left());
    if (first == nullptr || !WaitForWindowGone(first, left())) return nullptr;
    HWND window = WaitForWindow(saver.pid(), "MyClass", left());
    if (window == nullptr) return nullptr;
    const bool drawing = WaitUntil(left(), [&] {
        return IsWindowVisible(window) && ShareOfChangedPixels(before, CaptureScreen()) > 0.05;
    });
    return drawing ? window : nullptr;
}

HWND CreateHostWindow(int x, int y, int width, int height) {
    static const char kHostClass[] = "VelothTestHost";
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = kHostClass;
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, kHostClass, "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, x, y,
                                  width, height, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    PumpMessages(50);
    return window;
}

void PumpMessages(DWORD ms) {
    const double end = NowMs() + ms;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (NowMs() < end);
}

}  // namespace e2e
