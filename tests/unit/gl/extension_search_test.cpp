// The whole-word search of extension lists and the choice between the WGL and GL lists.
#include "gl/extension_search.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtensionListHasName, WholeWordsOnly) {
    const struct {
        const char* list;
        const char* name;
        bool found;
    } cases[] = {
        // First as the start of a longer name, later whole: the later one counts.
        {"WGL_ARB_pbuffer_x WGL_ARB_pbuffer WGL_EXT_swap_control", "WGL_ARB_pbuffer", true},
        {"GL_ARB_multisample_x GL_ARB_multisample", "GL_ARB_multisample", true},
        // Only inside longer names: at the start, at the end, in the middle.
        {"WGL_ARB_pbuffer_x WGL_ARB_pixel_format", "WGL_ARB_pbuffer", false},
        {"WGL_ARB_multisample", "GL_ARB_multisample", false},
        {"XWGL_ARB_pbufferX", "WGL_ARB_pbuffer", false},
        // Exactly the name, first, last, with stray blanks around.
        {"WGL_ARB_multisample", "WGL_ARB_multisample", true},
        {"A B C", "A", true},
        {"A B C", "C", true},
        {"A B C", "B", true},
        {"  A   B  ", "B", true},
        // A match inside the previous candidate: the search moves on by one character.
        {"aaa aa", "aa", true},
        {"aaa aaaa", "aa", false},
        // Nothing to find.
        {"", "A", false},
        {"A B", "", false},
        {nullptr, "A", false},
        {"A", nullptr, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ExtensionListHasName(c.list, c.name), c.found)
            << (c.list ? c.list : "(null)") << " / " << (c.name ? c.name : "(null)");
    }
}

TEST(ExtensionIsListed, WglListReplacesGlListWhenPresent) {
    const char gl[] = "GL_ARB_vertex_buffer_object GL_ARB_multisample";
    const char wgl[] = "WGL_ARB_pbuffer WGL_ARB_multisample";
    const struct {
        const char* gl;
        const char* wgl;
        const char* name;
        bool found;
    } cases[] = {
        {gl, wgl, "WGL_ARB_pbuffer", true},
        {gl, wgl, "GL_ARB_vertex_buffer_object", false},  // the lists are not joined
        {gl, nullptr, "GL_ARB_vertex_buffer_object", true},  // WGL list present but null
        {gl, nullptr, "WGL_ARB_pbuffer", false},
        {nullptr, wgl, "WGL_ARB_multisample", true},
        {nullptr, nullptr, "WGL_ARB_multisample", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtensionIsListed(c.gl, c.wgl, c.name), c.found) << c.name;
}

// The model loader's buffer-object check: a plain substring, unlike the whole-word search.
TEST(ExtensionListContains, FindsTheNameInsideLongerNames) {
    const struct {
        const char* list;
        bool found;
    } cases[] = {
        {"GL_ARB_multitexture GL_ARB_vertex_buffer_object GL_EXT_bgra", true},
        {"GL_ARB_vertex_buffer_object_rgb32", true},
        {"GL_XARB_vertex_buffer_objectX", true},
        {"ARB_vertex_buffer_object", true},
        {"GL_ARB_vertex_buffer_objec GL_ARB_vertex_array_object", false},
        {"", false},
        {nullptr, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtensionListContains(c.list, "ARB_vertex_buffer_object"), c.found)
            << (c.list ? c.list : "(null)");
    EXPECT_FALSE(ExtensionListContains("GL_EXT_bgra", ""));
}

}  // namespace
