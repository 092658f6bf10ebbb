// The .scr's icon and hand cursor as Windows itself loads them from the file: each size that
// Explorer asks for, and the cursor's size and hot spot.
#include <gtest/gtest.h>

#include "e2e/driver/driver.h"
#include "../resources/resource_ids.h"

namespace {

// The built .scr opened for its resources only, as Explorer opens it for its icon.
class ScrResources : public ::testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA(e2e::SaverPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr) << "cannot open " << e2e::SaverPath();
    }
    void TearDown() override {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    HMODULE module_ = nullptr;
};

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof(info), &info) == 0) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

// For each size the system picks an image of exactly that size from the group and decodes it
// at its own size (the 256-pixel one from its PNG).
TEST_F(ScrResources, IconGroupHasItsOwnImageForEverySize) {
    HRSRC group = FindResourceA(module_, MAKEINTRESOURCEA(IDI_VELOTH), MAKEINTRESOURCEA(14));
    ASSERT_NE(group, nullptr) << "no icon group";
    PBYTE directory = static_cast<PBYTE>(LockResource(LoadResource(module_, group)));
    ASSERT_NE(directory, nullptr);
    for (int size : {16, 24, 32, 48, 256}) {
        SCOPED_TRACE(size);
        const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
        HRSRC image = FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(3));
        ASSERT_NE(image, nullptr) << "the group names image " << id << ", which is missing";
        PBYTE bits = static_cast<PBYTE>(LockResource(LoadResource(module_, image)));
        HICON icon = CreateIconFromResourceEx(bits, SizeofResource(module_, image), TRUE,
                                              0x00030000, 0, 0, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr) << "image " << id << " does not decode";
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        const SIZE colour = BitmapSize(info.hbmColor);
        EXPECT_EQ(colour.cx, size) << "image " << id;
        EXPECT_EQ(colour.cy, size);
        if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
        if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST_F(ScrResources, HandCursorIsMonochrome32PixelsWithItsHotSpotOnTheFingerTip) {
    HCURSOR cursor = static_cast<HCURSOR>(LoadImageA(module_, MAKEINTRESOURCEA(IDC_HAND_CURSOR),
                                                     IMAGE_CURSOR, 32, 32, 0));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 0u);
    EXPECT_EQ(info.hbmColor, nullptr) << "a monochrome cursor has only its mask pair";
    const SIZE mask = BitmapSize(info.hbmMask);
    EXPECT_EQ(mask.cx, 32);
    EXPECT_EQ(mask.cy, 64) << "the AND mask above the XOR picture";
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    DestroyCursor(cursor);
}

}  // namespace
