// desktop_picture: stands in for a user's desktop under Wine. It covers the screen with a BMP
// picture in an ordinary (not top-most) window and keeps it there until it is closed or ended.
//   desktop_picture PICTURE.bmp
// Wine's screen capture sees only what Wine's own windows show, and Wine paints the X root
// black when its desktop starts, so a picture put on the root from the X side is not captured.
// Exits 0 when its window was closed, 1 when the picture cannot be read, 2 for a wrong command
// line.
#include <windows.h>

#include <cstdio>

namespace {

HBITMAP g_picture = nullptr;

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        BITMAP size = {};
        GetObjectA(g_picture, sizeof(size), &size);
        RECT client;
        GetClientRect(window, &client);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, g_picture);
        StretchBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, size.bmWidth,
                   size.bmHeight, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: desktop_picture PICTURE.bmp\n");
        return 2;
    }
    g_picture = static_cast<HBITMAP>(
        LoadImageA(nullptr, argv[1], IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (g_picture == nullptr) {
        std::fprintf(stderr, "desktop_picture: cannot read %s\n", argv[1]);
        return 1;
    }
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VelothDesktopPicture";
    RegisterClassA(&wc);
    CreateWindowExA(0, wc.lpszClassName, "desktop picture", WS_POPUP | WS_VISIBLE, 0, 0,
                    GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr,
                    nullptr, wc.hInstance, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteObject(g_picture);
    return 0;
}
