// The desktop's picture: captured before the full-screen window opens, turned into the
// texture "desktop.bmp" once OpenGL runs.
#include "app/desktop.h"

#include <windows.h>
#include <GL/gl.h>

#include <climits>
#include <cstdint>
#include <new>

#include "app/app_state.h"
#include "app/desktop_pixels.h"
#include "app/error_report.h"
#include "app/step_seam.h"
#include "assets/texture.h"

namespace {

const char kDesktopTexture[] = "desktop.bmp";

// Reads the bitmap's bits into a new desktopPixels. Only a full read counts: a short one would
// leave part of the picture unset.
bool ReadBitmapBits(HBITMAP bitmap) {
    std::size_t bytes = 0;
    if (StepForcedToFail(RunStep::CaptureBits) ||
        !DesktopCaptureBytes(app.screenWidth, app.screenHeight, app.desktopBytesPerPixel, &bytes))
        return false;
    app.desktopPixels = new (std::nothrow) unsigned char[bytes];
    if (app.desktopPixels == nullptr) return false;
    const LONG read = GetBitmapBits(bitmap, static_cast<LONG>(bytes), app.desktopPixels);
    if (read > 0 && static_cast<std::size_t>(read) == bytes) return true;
    delete[] app.desktopPixels;
    app.desktopPixels = nullptr;
    return false;
}

// Most 16-bit displays keep 5-6-5 words, some (Wine's among them) 5-5-5: the bitmap's own
// colour masks tell. Without an answer the usual 5-6-5 is assumed.
bool HasWords555(HDC screen, HBITMAP bitmap) {
    struct {
        BITMAPINFOHEADER header;
        DWORD masks[3];
    } info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    BITMAPINFO* asInfo = reinterpret_cast<BITMAPINFO*>(&info);
    // The first call fills in the header, the second the masks that go with it.
    if (!GetDIBits(screen, bitmap, 0, 0, nullptr, asInfo, DIB_RGB_COLORS) ||
        !GetDIBits(screen, bitmap, 0, 0, nullptr, asInfo, DIB_RGB_COLORS))
        return false;
    return info.header.biBitCount == 16 &&
           (info.header.biCompression == BI_RGB ||
            (info.header.biCompression == BI_BITFIELDS && info.masks[1] == 0x03E0));
}

// The copy itself, between a display DC and a memory DC that the caller owns.
bool CopyScreen(HDC screen, HDC memory) {
    HBITMAP bitmap = StepForcedToFail(RunStep::CaptureBitmap)
                         ? nullptr
                         : CreateCompatibleBitmap(screen, app.screenWidth, app.screenHeight);
    if (bitmap == nullptr) {
        ShowError(kProductName, "CreateCompatibleBitmap(): Could not create compatible bitmap");
        return false;
    }
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    const bool copied =
        !StepForcedToFail(RunStep::CaptureCopy) &&
        BitBlt(memory, 0, 0, app.screenWidth, app.screenHeight, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);
    bool ok = copied;
    if (!ok) {
        ShowError(kProductName, "BitBlt(): Could not copy desktop bits");
    } else if (!ReadBitmapBits(bitmap)) {
        ShowError(kProductName, "GetBitmapBits(): Could not get desktop bits");
        ok = false;
    } else {
        app.desktopWords555 = app.desktopBytesPerPixel == 2 && HasWords555(screen, bitmap);
    }
    DeleteObject(bitmap);
    return ok;
}

}  // namespace

bool GetDesktopBits() {
    HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
    HDC memory = CreateCompatibleDC(screen);
    app.screenWidth = GetDeviceCaps(screen, HORZRES);
    app.screenHeight = GetDeviceCaps(screen, VERTRES);
    app.desktopBytesPerPixel = GetDeviceCaps(screen, BITSPIXEL) / 8;
    const bool ok = CopyScreen(screen, memory);
    if (memory != nullptr) DeleteDC(memory);
    if (screen != nullptr) DeleteDC(screen);
    return ok;
}

void gmLoadDesktop() {
    const std::uint32_t width = RoundTextureSize(static_cast<std::uint32_t>(app.screenWidth));
    const std::uint32_t height = RoundTextureSize(static_cast<std::uint32_t>(app.screenHeight));
    // The texture's sides and bytes are ints for the texture list and for OpenGL. Only an
    // entry made here has the size the conversion writes.
    unsigned char* texture = nullptr;
    if (static_cast<std::uint64_t>(width) * height * 4 <= INT_MAX &&
        app.textureRoot->create_empty(kDesktopTexture, static_cast<int>(width),
                                      static_cast<int>(height), 4)) {
        texture = app.textureRoot->find_pixels(kDesktopTexture);
    }
    std::size_t captured = 0;
    DesktopCaptureBytes(app.screenWidth, app.screenHeight, app.desktopBytesPerPixel, &captured);
    // Converted by the depth actually captured: the display may have been switched since.
    const DesktopImage capture = {app.desktopPixels, captured, app.screenWidth,
                                  app.screenHeight, app.desktopBytesPerPixel,
                                  app.desktopWords555};
    if (texture != nullptr) ConvertDesktopPixels(capture, texture, width, height);
    delete[] app.desktopPixels;
    app.desktopPixels = nullptr;
    if (texture == nullptr) return;

    app.textureRoot->bind(kDesktopTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, static_cast<GLsizei>(width),
                 static_cast<GLsizei>(height), 0, GL_RGBA, GL_UNSIGNED_BYTE, texture);
    // Nearest filtering shows the desktop pixel for pixel at screen size.
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}
