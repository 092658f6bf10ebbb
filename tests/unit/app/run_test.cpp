// The whole run in this process, as a user meets it: every failure branch of the start-up and
// of the frame loop with its boxes in the order they come, each run ending by itself, and what
// a full-screen run changes on the system and puts back. Steps that a working system does not
// fail are failed through the run's step seam; the boxes are real, and a second thread reads,
// checks and presses them. The runs cover the screen: they have a screen of their own.
#include "app/run.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/app_state.h"
#include "app/frame_clock.h"
#include "app/step_seam.h"
#include "e2e/driver/driver.h"
#include "gl/wgl_extensions.h"
#include "support/preview_host.h"

namespace {

const char kTitle[] = "A Veloth 3D Screen Saver";
// Far beyond what a run needs on a loaded machine, and well within the test's own timeout.
const double kRunLimitMs = 120000.0;

// What the system shows of the run at one moment.
struct SystemState {
    bool saverRunning = false;  // SPI_GETSCREENSAVERRUNNING
    int cursorCount = 0;        // the cursor's display counter
    DWORD displayBits = 0;      // the current display mode's depth
};

SystemState ReadSystemState() {
    SystemState state;
    BOOL running = FALSE;
    SystemParametersInfoA(SPI_GETSCREENSAVERRUNNING, 0, &running, 0);
    state.saverRunning = running != FALSE;
    state.cursorCount = ShowCursor(TRUE) - 1;
    ShowCursor(FALSE);
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    state.displayBits = mode.dmBitsPerPel;
    return state;
}

// Sets the display's depth, for now or also as the mode that the saver's restore returns to.
bool SetDisplayBits(DWORD bits, DWORD flags) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    mode.dmBitsPerPel = bits;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&mode, flags) == DISP_CHANGE_SUCCESSFUL;
}

DWORD RegisteredDisplayBits() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    EnumDisplaySettingsA(nullptr, ENUM_REGISTRY_SETTINGS, &mode);
    return mode.dmBitsPerPel;
}

HWND VisibleSaverWindow() {
    HWND window = e2e::WaitForWindow(GetCurrentProcessId(), "MyClass", 0);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

// The steps a run's seam fails: the nth time (from 1) each one is asked for.
struct ForcedFailure {
    RunStep step;
    int occurrence;
};
const int kStepCount = static_cast<int>(RunStep::Preview) + 1;

std::vector<ForcedFailure> g_failures;
int g_stepCalls[kStepCount] = {};
SystemState g_stateAtFailure;

bool FailListedSteps(RunStep step) {
    const int call = ++g_stepCalls[static_cast<int>(step)];
    for (const ForcedFailure& failure : g_failures) {
        if (failure.step == step && failure.occurrence == call) {
            g_stateAtFailure = ReadSystemState();
            return true;
        }
    }
    return false;
}

// The tick source moves 20 ms each time the frame clock or the rain reads it, once each a
// frame, so the exit sequence is about 38 frames.
std::atomic<int> g_framesDrawn{0};
DWORD WINAPI FrameTicks() { return 1000u + 20u * static_cast<DWORD>(++g_framesDrawn); }

// Once frames are being drawn: notes what the run has changed, then presses a key as a user
// would, which ends the run 1.5 s of frames later. Runs from the run's own message loop.
bool g_pressed = false;
SystemState g_stateDuringRun;
bool g_windowShownDuringRun = false;

void CALLBACK PressKeyOnceFramesShow(HWND, UINT, UINT_PTR timer, DWORD) {
    if (g_pressed || g_framesDrawn < 3 || app.mainWindow == nullptr) return;
    g_pressed = true;
    KillTimer(nullptr, timer);
    g_stateDuringRun = ReadSystemState();
    g_windowShownDuringRun = VisibleSaverWindow() == app.mainWindow;
    PostMessageA(app.mainWindow, WM_KEYDOWN, 'Q', 0);
}

struct SeenBox {
    e2e::MessageBoxText box;
    bool overSaverWindow;  // a visible full-screen window of the run stood there too
};

// Reads each box of this process as it comes, presses its OK button, and ends a run that has
// not ended by itself within the limit, so that a hang fails the test instead of stalling it.
class BoxWatcher {
public:
    explicit BoxWatcher(DWORD runThread) : runThread_(runThread), thread_([this] { Watch(); }) {}
    ~BoxWatcher() { stop(); }
    void stop() {
        done_ = true;
        if (thread_.joinable()) thread_.join();
    }
    std::vector<SeenBox> boxes() {
        std::lock_guard<std::mutex> lock(mutex_);
        return boxes_;
    }
    bool ranOut() const { return ranOut_; }

private:
    void Watch() {
        const double limit = e2e::NowMs() + kRunLimitMs;
        while (!done_) {
            if (!ranOut_ && e2e::NowMs() > limit) {
                ranOut_ = true;
                PostThreadMessageA(runThread_, WM_QUIT, 0, 0);
            }
            SeenBox seen = {};
            if (!e2e::WaitForMessageBox(GetCurrentProcessId(), 200, &seen.box)) continue;
            seen.overSaverWindow = VisibleSaverWindow() != nullptr;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                boxes_.push_back(seen);
            }
            e2e::PressOk(seen.box.box);
            e2e::WaitForWindowGone(seen.box.box, e2e::kPatienceMs);
        }
    }

    DWORD runThread_;
    std::atomic<bool> done_{false};
    std::atomic<bool> ranOut_{false};
    std::mutex mutex_;
    std::vector<SeenBox> boxes_;
    std::thread thread_;
};

struct RunResult {
    int exitCode = -1;
    std::vector<SeenBox> boxes;
    bool endedByItself = false;
    bool exitSequenceRan = false;
};

void TakeAllMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) DispatchMessageA(&msg);
    }
}

class RunTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A run killed halfway leaves this screen's registered mode as it found it only if
        // it got that far; start from the usual 32 bits either way.
        if (RegisteredDisplayBits() != 32 || ReadSystemState().displayBits != 32) {
            ASSERT_TRUE(SetDisplayBits(32, CDS_UPDATEREGISTRY));
        }
        TakeAllMessages();
    }
    void TearDown() override {
        if (RegisteredDisplayBits() != 32) SetDisplayBits(32, CDS_UPDATEREGISTRY);
    }

    // Runs the saver with these switches, failing the listed steps, with its resources in the
    // given module.
    RunResult Run(const std::string& switches, std::vector<ForcedFailure> failures,
                  HINSTANCE module = GetModuleHandleA(nullptr)) {
        app = AppState{};
        wgl = WglEntryPoints{};
        g_failures = std::move(failures);
        for (int& calls : g_stepCalls) calls = 0;
        g_stateAtFailure = SystemState{};
        stepFailureHook = FailListedSteps;
        g_framesDrawn = 0;
        tickSource = FrameTicks;
        g_pressed = false;
        g_windowShownDuringRun = false;
        const UINT_PTR timer = SetTimer(nullptr, 0, 50, PressKeyOnceFramesShow);

        RunResult result;
        BoxWatcher watcher(GetCurrentThreadId());
        const std::string line = "\"C:\\run_tests.exe\" " + switches;
        result.exitCode = RunScreenSaver(module, line.c_str());
        watcher.stop();
        result.boxes = watcher.boxes();
        result.endedByItself = !watcher.ranOut();
        result.exitSequenceRan = app.exitTimeUp == 1;

        if (!g_pressed) KillTimer(nullptr, timer);
        // What a real process would leave to its end: a window kept after a failed context.
        if (app.mainWindow != nullptr && IsWindow(app.mainWindow)) DestroyWindow(app.mainWindow);
        TakeAllMessages();
        delete[] app.desktopPixels;
        app = AppState{};
        wgl = WglEntryPoints{};
        stepFailureHook = nullptr;
        tickSource = GetTickCount;
        return result;
    }
};

struct ExpectedBox {
    const char* title;
    const char* text;
    bool overSaverWindow;
};

struct FailureCase {
    const char* name;
    const char* switches;  // "/p" gets the preview host's handle appended
    std::vector<ForcedFailure> failures;
    std::vector<ExpectedBox> boxes;
    bool saverFlagSetAtFailure;  // SPI_SETSCREENSAVERRUNNING was on when the failing step ran
    bool draws;                  // the run gets to its frames and ends through the exit sequence
};

const char kOpenGLLine[] = "gmInitOpenGL: Could not create OpenGL context\n";

const FailureCase kFailureCases[] = {
    // A failed settings query is reported at once; the run goes on and ends normally.
    {"SettingsQueryThenAGoodRun", "/s", {{RunStep::DisplaySettings, 1}},
     {{kTitle, "EnumDisplaySettings: Could not detect display settings.", false}}, false, true},
    {"SettingsQueryLineComesFirstInTheLog", "/s",
     {{RunStep::DisplaySettings, 1}, {RunStep::Extensions, 1}},
     {{kTitle, "EnumDisplaySettings: Could not detect display settings.", false},
      {kTitle,
       "EnumDisplaySettings: Could not detect display settings\n"
       "gmInitExtensions(): Could not find necessary extensions\n",
       false}},
     true},
    {"SettingsQueryThenTheSwitchFails", "/s",
     {{RunStep::DisplaySettings, 1}, {RunStep::DisplaySwitch, 1}},
     {{kTitle, "EnumDisplaySettings: Could not detect display settings.", false},
      {kTitle, "Cannot set display mode to 32bit", false}},
     false},
    {"CaptureBitmap", "/s", {{RunStep::CaptureBitmap, 1}},
     {{kTitle, "CreateCompatibleBitmap(): Could not create compatible bitmap", false},
      {kTitle, "GetDesktopBits(): Could not get desktop bits", false}},
     false},
    {"CaptureCopy", "/s", {{RunStep::CaptureCopy, 1}},
     {{kTitle, "BitBlt(): Could not copy desktop bits", false},
      {kTitle, "GetDesktopBits(): Could not get desktop bits", false}},
     false},
    {"CaptureBits", "/s", {{RunStep::CaptureBits, 1}},
     {{kTitle, "GetBitmapBits(): Could not get desktop bits", false},
      {kTitle, "GetDesktopBits(): Could not get desktop bits", false}},
     false},
    {"MainWindow", "/s", {{RunStep::MainWindow, 1}},
     {{kTitle, "CreateMainWindow: Could not create main window", false}}, true},
    // The window stays after a failed context: the box at exit comes up over it.
    {"PixelFormat", "/s", {{RunStep::PixelFormat, 1}},
     {{kTitle, "gmInitPixelFormat(): Could not initialize pixel format\n"
               "gmInitOpenGL: Could not create OpenGL context\n", true}},
     true},
    {"CreateContext", "/s", {{RunStep::CreateContext, 1}},
     {{kTitle, "wglCreateContext(): Could not create OpenGL context\n"
               "gmInitOpenGL: Could not create OpenGL context\n", true}},
     true},
    {"ActivateContext", "/s", {{RunStep::ActivateContext, 1}},
     {{kTitle, "wglMakeCurrent(): Could not activate OpenGL context\n"
               "gmInitOpenGL: Could not create OpenGL context\n", true}},
     true},
    {"Extensions", "/s", {{RunStep::Extensions, 1}},
     {{kTitle, "gmInitExtensions(): Could not find necessary extensions\n", false}}, true},
    {"Pbuffer", "/s", {{RunStep::Pbuffer, 1}},
     {{kTitle, "init_pbuffer(): Could not initialize pbuffer\n", false}}, true},
    {"PbufferActivation", "/s", {{RunStep::ActivatePbuffer, 1}},
     {{"Error", "Cannot activate Pbuffer", true},
      {kTitle, "init_pbuffer(): Could not initialize pbuffer\n", false}},
     true},
    // The multisampled window could not be made after the first one was gone.
    {"NewWindow", "/s", {{RunStep::MainWindow, 2}},
     {{kTitle, "CreateMainWindow: Could not create main window\n", false}}, true},
    {"NewWindowContext", "/s", {{RunStep::PixelFormat, 2}},
     {{kTitle, "gmInitPixelFormat(): Could not initialize pixel format\n"
               "gmInitOpenGL: Could not create OpenGL context\n", false}},
     true},
    {"LoadStuff", "/s", {{RunStep::LoadStuff, 1}},
     {{kTitle, "gmLoadStuff: Could not load stuff\n", false}}, true, false},
    {"Render", "/s", {{RunStep::Render, 1}},
     {{kTitle, "gmRender: Could not render\n", false}}, true},
    {"Preview", "/p", {{RunStep::Preview, 1}},
     {{kTitle, "gmPreview: Could not draw preview\n", false}}, false},
};

// Names the row in the test's output.
void PrintTo(const FailureCase& c, std::ostream* out) { *out << c.name; }

class RunFailureTest : public RunTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(RunFailureTest, ShowsItsBoxesInOrderAndEnds) {
    const FailureCase& c = GetParam();
    const SystemState before = ReadSystemState();
    std::string switches = c.switches;
    std::unique_ptr<PreviewHost> host;
    if (switches == "/p") {
        host = std::make_unique<PreviewHost>();
        switches += " " + std::to_string(reinterpret_cast<UINT_PTR>(host->window()));
    }

    const RunResult run = Run(switches, c.failures);

    EXPECT_TRUE(run.endedByItself) << "the run did not end until it was made to";
    EXPECT_EQ(run.exitCode, 0);
    ASSERT_EQ(run.boxes.size(), c.boxes.size());
    for (size_t i = 0; i < c.boxes.size(); ++i) {
        const SeenBox& seen = run.boxes[i];
        EXPECT_EQ(seen.box.title, c.boxes[i].title) << "box " << i;
        EXPECT_EQ(seen.box.text, c.boxes[i].text) << "box " << i;
        EXPECT_EQ(seen.overSaverWindow, c.boxes[i].overSaverWindow) << "box " << i;
        EXPECT_TRUE(seen.box.errorIcon) << "box " << i;
        EXPECT_TRUE(seen.box.topMost) << "box " << i;
        EXPECT_TRUE(seen.box.uncovered) << "box " << i;
        EXPECT_TRUE(seen.box.foreground) << "box " << i;
    }
    EXPECT_EQ(g_stateAtFailure.saverRunning, c.saverFlagSetAtFailure);
    const SystemState after = ReadSystemState();
    EXPECT_FALSE(after.saverRunning);
    EXPECT_EQ(after.displayBits, before.displayBits);
    EXPECT_EQ(run.exitSequenceRan, c.draws);
}

INSTANTIATE_TEST_SUITE_P(Steps, RunFailureTest, ::testing::ValuesIn(kFailureCases),
                         [](const ::testing::TestParamInfo<FailureCase>& row) {
                             return std::string(row.param.name);
                         });

// A module whose banner resource is one byte short, or missing, in place of the program's: the
// loading fails for real and the run ends with its line.
TEST_F(RunTest, BannerResourceTooShortOrMissingEndsTheRunWithTheLoadingLine) {
    for (const char* name : {"banner_short.dll", "banner_none.dll"}) {
        HMODULE module = LoadLibraryA(name);
        ASSERT_NE(module, nullptr) << name;
        const RunResult run = Run("/s", {}, module);
        FreeLibrary(module);
        EXPECT_TRUE(run.endedByItself) << name;
        EXPECT_FALSE(run.exitSequenceRan) << name;
        ASSERT_EQ(run.boxes.size(), 1u) << name;
        EXPECT_EQ(run.boxes[0].box.title, kTitle) << name;
        EXPECT_EQ(run.boxes[0].box.text, "gmLoadStuff: Could not load stuff\n") << name;
    }
}

// A full-screen run switches what it needs while it runs and puts each back: the system's
// screen-saver flag, the cursor, and a display below 32 bits (the registered mode is the one
// the restore returns to).
TEST_F(RunTest, FullScreenRunPutsBackWhatItChanged) {
    const struct {
        DWORD registeredBits;
        DWORD bitsDuringRun;
    } cases[] = {{16, 32}, {32, 32}};
    for (const auto& c : cases) {
        ASSERT_TRUE(SetDisplayBits(c.registeredBits, CDS_UPDATEREGISTRY));
        const SystemState before = ReadSystemState();
        ASSERT_EQ(before.displayBits, c.registeredBits);
        ASSERT_FALSE(before.saverRunning);

        const RunResult run = Run("/s", {});

        EXPECT_TRUE(run.endedByItself) << c.registeredBits;
        EXPECT_TRUE(run.exitSequenceRan) << c.registeredBits;
        EXPECT_TRUE(run.boxes.empty()) << run.boxes.front().box.text;
        EXPECT_TRUE(g_windowShownDuringRun) << c.registeredBits;
        EXPECT_TRUE(g_stateDuringRun.saverRunning) << c.registeredBits;
        EXPECT_EQ(g_stateDuringRun.cursorCount, before.cursorCount - 1) << c.registeredBits;
        EXPECT_EQ(g_stateDuringRun.displayBits, c.bitsDuringRun) << c.registeredBits;
        const SystemState after = ReadSystemState();
        EXPECT_FALSE(after.saverRunning) << c.registeredBits;
        EXPECT_EQ(after.cursorCount, before.cursorCount) << c.registeredBits;
        EXPECT_EQ(after.displayBits, c.registeredBits) << c.registeredBits;
    }
}

}  // namespace
