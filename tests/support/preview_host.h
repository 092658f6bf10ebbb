// A visible stand-in for the Display Properties preview area, on a thread of its own that
// answers its messages as the system's dialog would.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>

class PreviewHost {
public:
    PreviewHost() {
        thread_ = std::thread([this] { Run(); });
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [this] { return started_; });
    }
    ~PreviewHost() {
        close();
        thread_.join();
    }
    HWND window() const { return window_; }
    void close() { PostMessageA(window_, WM_CLOSE, 0, 0); }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DESTROY) PostQuitMessage(0);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    void Run() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
        wc.lpszClassName = "PreviewHost";
        RegisterClassA(&wc);
        HWND window = CreateWindowExA(0, "PreviewHost", "host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                      40, 60, 152, 112, nullptr, nullptr, GetModuleHandleA(nullptr),
                                      nullptr);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            window_ = window;
            started_ = true;
        }
        ready_.notify_one();
        MSG msg;
        while (window != nullptr && GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    }
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable ready_;
    bool started_ = false;
    HWND window_ = nullptr;
};
