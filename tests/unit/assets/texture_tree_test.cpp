// The texture tree's pure rules: the descent rule, the extension rule, buffer sizes, and
// destruction of a whole tree.
#include "assets/texture.h"
#include "assets/texture_rules.h"

#include <gtest/gtest.h>

#include <string>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELOTH_LEAK_CHECK 1
#include <sanitizer/lsan_interface.h>
#endif
#endif

namespace {

TEST(TextureRules, ExtensionDecidesTheKind) {
    const struct {
        const char* name;
        TextureKind kind;
    } cases[] = {
        {"Texture1.jpg", TextureKind::Jpeg},
        {"font.bmp", TextureKind::Bitmap},
        {".jpg", TextureKind::Jpeg},
        // Only the text after the last dot counts.
        {"a.bmp.jpg", TextureKind::Jpeg},
        {"a.jpg.bmp", TextureKind::Bitmap},
        {"dir.jpg/file", TextureKind::Unsupported},
        // Exact and case-sensitive.
        {"FONT.BMP", TextureKind::Unsupported},
        {"a.Jpg", TextureKind::Unsupported},
        {"a.jpeg", TextureKind::Unsupported},
        {"a.jp", TextureKind::Unsupported},
        {"a.jpg ", TextureKind::Unsupported},
        {"Screen.tga", TextureKind::Unsupported},
        {"GM.raw", TextureKind::Unsupported},
        {"noextension", TextureKind::Unsupported},
        {"a.", TextureKind::Unsupported},
        {"", TextureKind::Unsupported},
        {nullptr, TextureKind::Unsupported},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextureKindOf(c.name), c.kind) << (c.name ? c.name : "(null)");
    }
}

TEST(TextureRules, BufferSizeIsCheckedBeforeAllocating) {
    const struct {
        int width, height, bytes_per_pixel;
        int ok;
        std::size_t bytes;
    } cases[] = {
        {256, 32, 4, 1, 32768},
        {0, 0, 4, 1, 0},
        {512, 0, 4, 1, 0},
        {16384, 16384, 4, 1, 1073741824u},
        {32768, 16384, 4, 0, 0},  // 2 GiB: one byte too many
        {65536, 65536, 4, 0, 0},  // the product wraps to 0 in 32 bits
        {0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 0, 0},
        {0x7FFFFFFF, 1, 1, 1, 0x7FFFFFFF},
        {-1, 4, 4, 0, 0},
        {4, -1, 4, 0, 0},
        {4, 4, -4, 0, 0},
    };
    for (const auto& c : cases) {
        std::size_t bytes = 12345;
        EXPECT_EQ(TextureBufferBytes(c.width, c.height, c.bytes_per_pixel, &bytes), c.ok)
            << c.width << " x " << c.height << " x " << c.bytes_per_pixel;
        if (c.ok) {
            EXPECT_EQ(bytes, c.bytes);
        }
    }
}

TEST(TextureTree, RootAnchorsAnEmptyTree) {
    Texture root;
    EXPECT_EQ(root.is_root, 1);
    EXPECT_STREQ(root.name, "");
    EXPECT_EQ(root.pixels, nullptr);
    EXPECT_EQ(root.find(""), nullptr);  // the root is never matched
    EXPECT_EQ(root.find("font.bmp"), nullptr);
    EXPECT_EQ(root.find(nullptr), nullptr);
}

TEST(TextureTree, InsertionFollowsTheDescentRule) {
    Texture root;
    // In creation order: the tree's shape follows it.
    Texture* texture1 = root.insert("Texture1.jpg");
    Texture* font = root.insert("font.bmp");
    Texture* screen = root.insert("Screen.tga");
    Texture* gm = root.insert("GM.raw");
    Texture* sysfail = root.insert("SYSFAIL.bmp");
    for (Texture* entry : {texture1, font, screen, gm, sysfail}) {
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->is_root, 0);
        EXPECT_EQ(entry->pixels, nullptr);
        EXPECT_EQ(entry->width, 0);
        EXPECT_EQ(entry->gl_name, 0u);
    }
    // Everything lives right of the root; lower names go left, higher right.
    EXPECT_EQ(root.left, nullptr);
    EXPECT_EQ(root.right, texture1);
    EXPECT_EQ(texture1->right, font);
    EXPECT_EQ(texture1->left, screen);
    EXPECT_EQ(screen->left, gm);
    EXPECT_EQ(gm->right, sysfail);  // "SY" is below "Sc", above "GM"
    EXPECT_EQ(screen->right, nullptr);
    EXPECT_EQ(font->left, nullptr);
    EXPECT_EQ(font->right, nullptr);

    const struct {
        const char* name;
        Texture* found;
    } lookups[] = {
        {"Texture1.jpg", texture1}, {"font.bmp", font},   {"Screen.tga", screen},
        {"GM.raw", gm},             {"SYSFAIL.bmp", sysfail},
        {"FONT.bmp", nullptr},      {"font.bm", nullptr}, {"font.bmpx", nullptr},
        {"", nullptr},              {"desktop.bmp", nullptr},
    };
    for (const auto& l : lookups) EXPECT_EQ(root.find(l.name), l.found) << l.name;
}

TEST(TextureTree, NamesAreUniqueAndCaseSensitive) {
    Texture root;
    Texture* font = root.insert("font.bmp");
    ASSERT_NE(font, nullptr);
    font->width = 7;
    EXPECT_EQ(root.insert("font.bmp"), nullptr);
    EXPECT_EQ(root.find("font.bmp"), font);
    EXPECT_EQ(font->width, 7);
    Texture* upper = root.insert("Font.bmp");
    ASSERT_NE(upper, nullptr);
    EXPECT_NE(upper, font);
    EXPECT_EQ(root.find("Font.bmp"), upper);
}

TEST(TextureTree, EmptyNameIsAnEntryOfItsOwnNeverTheRoot) {
    Texture root;
    ASSERT_NE(root.insert("b"), nullptr);
    Texture* empty = root.insert("");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(root.find(""), empty);
    EXPECT_EQ(root.insert(""), nullptr);
    EXPECT_EQ(root.right->left, empty);  // "" compares lower than "b"
}

TEST(TextureTree, BytesCompareUnsigned) {
    Texture root;
    Texture* z = root.insert("z");
    Texture* high = root.insert("\xE9t\xE9.bmp");  // above every ASCII byte, as strcmp sees it
    ASSERT_NE(high, nullptr);
    EXPECT_EQ(z->right, high);
    // A prefix compares lower than the longer name.
    Texture* zz = root.insert("zz");
    EXPECT_EQ(high->left, zz);
}

TEST(TextureTree, NamesUpTo511Characters) {
    Texture root;
    const std::string longest(511, 'a');
    Texture* entry = root.insert(longest.c_str());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(std::string(entry->name), longest);
    EXPECT_EQ(root.find(longest.c_str()), entry);
    // One more would be cut short and then be found under another name.
    const std::string too_long(512, 'b');
    EXPECT_EQ(root.insert(too_long.c_str()), nullptr);
    EXPECT_EQ(root.find(too_long.c_str()), nullptr);
    EXPECT_EQ(root.find(std::string(511, 'b').c_str()), nullptr);
    EXPECT_EQ(root.insert(nullptr), nullptr);
}

TEST(TextureTree, DestroyingTheRootFreesEveryBufferOnce) {
#ifndef VELOTH_LEAK_CHECK
    GTEST_SKIP() << "needs the sanitizer build (native preset)";
#else
    // Left and right subtrees at several depths, some entries without a buffer, one with a
    // zero-sized buffer. A double free aborts under AddressSanitizer; a missed one is a leak.
    auto* root = new Texture;
    const char* names[] = {"m", "f", "t", "c", "h", "p", "x", "a", "d", "g", "z", "q"};
    int index = 0;
    for (const char* name : names) {
        Texture* entry = root->insert(name);
        ASSERT_NE(entry, nullptr);
        if (index % 4 != 3) entry->pixels = new unsigned char[(index % 3) * 64];
        ++index;
    }
    delete root;
    EXPECT_EQ(__lsan_do_recoverable_leak_check(), 0);
#endif
}

}  // namespace
