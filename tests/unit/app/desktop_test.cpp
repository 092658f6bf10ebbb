// The desktop capture on the real display: a known picture on the screen comes back in the
// capture and in the desktop texture, and a 24-bit bitmap's bits are read as they are laid out.
#include "app/desktop.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "app/app_state.h"
#include "app/desktop_pixels.h"

namespace {

const char kPictureClass[] = "VelothDesktopPicture";

// A grid of flat colours, none of which a 16-bit display can mistake for another.
const COLORREF kGrid[2][4] = {
    {RGB(248, 0, 0), RGB(0, 252, 0), RGB(0, 0, 248), RGB(248, 252, 248)},
    {RGB(0, 0, 0), RGB(128, 64, 192), RGB(248, 128, 0), RGB(32, 160, 96)},
};

COLORREF GridColour(int x, int y, int width, int height) {
    return kGrid[y * 2 / height][x * 4 / width];
}

// A top-most window over the whole screen, painted with the grid: what the desktop shows.
class ScreenPicture {
public:
    ScreenPicture() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kPictureClass;
        RegisterClassA(&wc);
        width_ = GetSystemMetrics(SM_CXSCREEN);
        height_ = GetSystemMetrics(SM_CYSCREEN);
        window_ = CreateWindowExA(WS_EX_TOPMOST, kPictureClass, "picture", WS_POPUP | WS_VISIBLE,
                                  0, 0, width_, height_, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
        HDC dc = GetDC(window_);
        for (int row = 0; row < 2; ++row) {
            for (int col = 0; col < 4; ++col) {
                const RECT cell = {col * width_ / 4, row * height_ / 2, (col + 1) * width_ / 4,
                                   (row + 1) * height_ / 2};
                HBRUSH brush = CreateSolidBrush(kGrid[row][col]);
                FillRect(dc, &cell, brush);
                DeleteObject(brush);
            }
        }
        ReleaseDC(window_, dc);
        GdiFlush();
        // Let the window system put the painted surface on the screen.
        for (int i = 0; i < 20; ++i) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
            Sleep(25);
        }
    }
    ~ScreenPicture() { DestroyWindow(window_); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    HWND window_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// 16-bit displays drop the low bits of each channel (5-6-5 or 5-5-5); a misread layout is off
// by far more.
int Tolerance(int bytesPerPixel) { return bytesPerPixel == 2 ? 7 : 0; }

bool Near(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

// Compares cell centres and points near the cell corners of the lower-left corner of a
// bottom-up R, G, B, A texture with the grid.
void ExpectGridInTexture(const unsigned char* texture, std::uint32_t textureWidth, int width,
                         int height, int bytesPerPixel) {
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col) {
            const int x0 = col * width / 4, y0 = row * height / 2;
            const int x1 = (col + 1) * width / 4 - 1, y1 = (row + 1) * height / 2 - 1;
            const int xs[] = {x0 + 1, (x0 + x1) / 2, x1 - 1};
            const int ys[] = {y0 + 1, (y0 + y1) / 2, y1 - 1};
            for (int y : ys) {
                for (int x : xs) {
                    const COLORREF want = GridColour(x, y, width, height);
                    // Screen row y (from the top) is texture row height - 1 - y.
                    const unsigned char* t =
                        texture + (static_cast<std::size_t>(height - 1 - y) * textureWidth + x) * 4;
                    const COLORREF got = RGB(t[0], t[1], t[2]);
                    EXPECT_TRUE(Near(got, want, Tolerance(bytesPerPixel)))
                        << std::hex << got << " for " << want << " at " << std::dec << x << ","
                        << y;
                    EXPECT_EQ(t[3], 255);
                }
            }
        }
    }
}

TEST(GetDesktopBits, CapturesWhatTheScreenShows) {
    ScreenPicture picture;
    app = AppState{};
    ASSERT_TRUE(GetDesktopBits());
    EXPECT_EQ(app.screenWidth, picture.width());
    EXPECT_EQ(app.screenHeight, picture.height());
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(app.desktopBytesPerPixel, GetDeviceCaps(screen, BITSPIXEL) / 8);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(app.desktopPixels, nullptr);

    std::size_t bytes = 0;
    ASSERT_TRUE(DesktopCaptureBytes(app.screenWidth, app.screenHeight, app.desktopBytesPerPixel,
                                    &bytes));
    const std::uint32_t tw = RoundTextureSize(app.screenWidth);
    const std::uint32_t th = RoundTextureSize(app.screenHeight);
    std::vector<unsigned char> texture(static_cast<std::size_t>(tw) * th * 4);
    const DesktopImage image = {app.desktopPixels, bytes, app.screenWidth, app.screenHeight,
                                app.desktopBytesPerPixel, app.desktopWords555};
    ASSERT_TRUE(ConvertDesktopPixels(image, texture.data(), tw, th));
    ExpectGridInTexture(texture.data(), tw, app.screenWidth, app.screenHeight,
                        app.desktopBytesPerPixel);
    delete[] app.desktopPixels;
    app = AppState{};
}

COLORREF SamplePixel(int x, int y) { return RGB(30 * x + 1, 60 * y + 2, 10 * (x + y) + 3); }

// The row padding the conversion assumes is the one the system's bitmap bits have: a 24-bit
// bitmap of odd width, filled through the system's own DIB path (bottom-up rows padded to 4
// bytes), reads back in exactly the computed size and converts pixel for pixel.
TEST(GetBitmapBits, TwentyFourBitRowsMatchTheConversion) {
    // 21 bytes a row: 22 with the bitmap's padding to 2 bytes, 24 with a DIB's padding to 4.
    const int width = 7, height = 3;
    HBITMAP bitmap = CreateBitmap(width, height, 1, 24, nullptr);
    ASSERT_NE(bitmap, nullptr);
    const int dibStride = 24;
    std::vector<unsigned char> dib(dibStride * height, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &dib[(height - 1 - y) * dibStride + x * 3];
            p[0] = GetBValue(SamplePixel(x, y));
            p[1] = GetGValue(SamplePixel(x, y));
            p[2] = GetRValue(SamplePixel(x, y));
        }
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(SetDIBits(screen, bitmap, 0, height, dib.data(), &info, DIB_RGB_COLORS), height);
    ReleaseDC(nullptr, screen);

    std::size_t bytes = 0;
    ASSERT_TRUE(DesktopCaptureBytes(width, height, 3, &bytes));
    std::vector<unsigned char> bits(bytes + 16, 0);
    EXPECT_EQ(GetBitmapBits(bitmap, static_cast<LONG>(bits.size()), bits.data()),
              static_cast<LONG>(bytes));
    DeleteObject(bitmap);

    std::vector<unsigned char> texture(8 * 4 * 4, 0);
    const DesktopImage image = {bits.data(), bytes, width, height, 3, false};
    ASSERT_TRUE(ConvertDesktopPixels(image, texture.data(), 8, 4));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* t = &texture[((height - 1 - y) * 8 + x) * 4];
            EXPECT_EQ(RGB(t[0], t[1], t[2]), SamplePixel(x, y)) << x << "," << y;
        }
    }
}

}  // namespace
