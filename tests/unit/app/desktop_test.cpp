// The desktop capture on the real display: a known picture on the screen comes back in the
// desktop texture, a 24-bit capture converts by its own layout, and a 24-bit bitmap's bits are
// read as they are laid out.
#include "app/desktop.h"

#include <gtest/gtest.h>
#include <GL/gl.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "app/app_state.h"
#include "app/desktop_pixels.h"
#include "assets/texture.h"
#include "support/gl_window.h"

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

// The desktop texture as OpenGL holds it, with its size.
std::vector<unsigned char> ReadDesktopTexture(GLint* width, GLint* height) {
    app.textureRoot->bind("desktop.bmp");
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, height);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(*width) * *height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

class DesktopTextureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(gl_.ok()) << gl_.failure();
        app = AppState{};
        app.textureRoot = new Texture();
    }
    void TearDown() override {
        delete app.textureRoot;
        delete[] app.desktopPixels;
        app = AppState{};
    }
    GlContext gl_{64, 64};
};

// Paints the whole screen: run on a screen of its own (see tests/CMakeLists.txt).
class DesktopCapture : public DesktopTextureTest {};

// From the screen to the texture: the picture on the screen stands bottom-up in the lower-left
// corner of a texture whose sides are rounded up (1280 x 1024 gives 2048 x 1024).
TEST_F(DesktopCapture, TextureHoldsWhatTheScreenShowed) {
    {
        ScreenPicture picture;
        ASSERT_TRUE(GetDesktopBits());
        EXPECT_EQ(app.screenWidth, picture.width());
        EXPECT_EQ(app.screenHeight, picture.height());
    }
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(app.desktopBytesPerPixel, GetDeviceCaps(screen, BITSPIXEL) / 8);
    ReleaseDC(nullptr, screen);
    ASSERT_NE(app.desktopPixels, nullptr);

    gmLoadDesktop();
    EXPECT_EQ(app.desktopPixels, nullptr);
    GLint width = 0, height = 0;
    const std::vector<unsigned char> texture = ReadDesktopTexture(&width, &height);
    EXPECT_EQ(static_cast<std::uint32_t>(width), RoundTextureSize(app.screenWidth));
    EXPECT_EQ(static_cast<std::uint32_t>(height), RoundTextureSize(app.screenHeight));
    ExpectGridInTexture(texture.data(), static_cast<std::uint32_t>(width), app.screenWidth,
                        app.screenHeight, app.desktopBytesPerPixel);
}

// No display here captures at 24 bits; a synthetic 3-byte capture of odd width, rows padded as
// bitmap bits are, goes through the same path.
TEST_F(DesktopTextureTest, TwentyFourBitCaptureWithPaddedRows) {
    app.screenWidth = 3;
    app.screenHeight = 2;
    app.desktopBytesPerPixel = 3;
    const unsigned char capture[] = {10, 20, 30, 40, 50, 60, 70, 80, 90, 0xEE,
                                     11, 21, 31, 41, 51, 61, 71, 81, 91, 0xEE};
    app.desktopPixels = new unsigned char[sizeof(capture)];
    std::memcpy(app.desktopPixels, capture, sizeof(capture));

    gmLoadDesktop();
    EXPECT_EQ(app.desktopPixels, nullptr);
    GLint width = 0, height = 0;
    const std::vector<unsigned char> texture = ReadDesktopTexture(&width, &height);
    ASSERT_EQ(width, 512);
    ASSERT_EQ(height, 512);
    // Texture row 0 is the screen's bottom row.
    const unsigned char bottom[] = {31, 21, 11, 255, 61, 51, 41, 255, 91, 81, 71, 255};
    const unsigned char top[] = {30, 20, 10, 255, 60, 50, 40, 255, 90, 80, 70, 255};
    EXPECT_EQ(std::memcmp(&texture[0], bottom, sizeof(bottom)), 0);
    EXPECT_EQ(std::memcmp(&texture[512 * 4], top, sizeof(top)), 0);
    // Nearest filtering shows the desktop pixel for pixel.
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
    EXPECT_EQ(filter, GL_NEAREST);
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
