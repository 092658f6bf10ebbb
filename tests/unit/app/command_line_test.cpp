// The screen-saver command line: every switch form Windows uses, and hostile text.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Case {
    const char* text;
    RunMode mode;
    std::uintptr_t handle;
};

const Case kCases[] = {
    // Program path only, quoted or not: the About box without an owner.
    {"Veloth3D.scr", RunMode::Configure, 0},
    {"\"C:\\Program Files\\Veloth3D.scr\"", RunMode::Configure, 0},
    {"", RunMode::Configure, 0},
    // A dash or slash inside the program path is not a switch.
    {"\"C:\\a-b\\x/y.scr\" /s", RunMode::Saver, 0},
    {"C:\\a-b\\saver.scr", RunMode::Configure, 0},
    {"C:\\saver.scr -a-b", RunMode::PasswordChange, 0},
    // An unquoted path ends at its first blank; an unterminated quote swallows everything.
    {"C:\\My Savers\\v.scr", RunMode::Configure, 0},
    {"\"C:\\v.scr /s", RunMode::Configure, 0},
    // Configure with and without an owner.
    {"v.scr /c", RunMode::Configure, 0},
    {"v.scr /C:1234", RunMode::Configure, 1234},
    {"v.scr -c 99", RunMode::Configure, 99},
    // Full screen: S, s, any other letter, a lone switch character at the end.
    {"v.scr /s", RunMode::Saver, 0},
    {"v.scr -S", RunMode::Saver, 0},
    {"v.scr /x", RunMode::Saver, 0},
    {"v.scr /", RunMode::Saver, 0},
    {"v.scr -", RunMode::Saver, 0},
    {"v.scr    /s", RunMode::Saver, 0},
    // Preview: the handle after a blank, a colon, or directly; a minus sign is skipped.
    {"v.scr /p 1234", RunMode::Preview, 1234},
    {"v.scr /p:1234", RunMode::Preview, 1234},
    {"v.scr /P1234", RunMode::Preview, 1234},
    {"v.scr /p -1234", RunMode::Preview, 1234},
    {"v.scr /p", RunMode::Preview, 0},
    {"v.scr /p 12ab34", RunMode::Preview, 12},
    // Test mode never reads a handle.
    {"v.scr /t 1234", RunMode::Test, 0},
    {"v.scr -T", RunMode::Test, 0},
    // Password change, with or without a handle.
    {"v.scr /a", RunMode::PasswordChange, 0},
    {"v.scr /a 5678", RunMode::PasswordChange, 5678},
    // A number too large for a handle names no window.
    {"v.scr /p 99999999999999999999999999999", RunMode::Preview, 0},
};

TEST(ParseCommandLine, ChoosesModeAndHandle) {
    for (const Case& c : kCases) {
        std::uintptr_t handle = 777;
        EXPECT_EQ(ParseCommandLine(c.text, &handle), c.mode) << c.text;
        EXPECT_EQ(handle, c.handle) << c.text;
    }
}

TEST(ParseCommandLine, NullTextIsConfigure) {
    std::uintptr_t handle = 5;
    EXPECT_EQ(ParseCommandLine(nullptr, &handle), RunMode::Configure);
    EXPECT_EQ(handle, 0u);
}

TEST(ParseCommandLine, LargestHandleStillFits) {
    const std::uintptr_t largest = static_cast<std::uintptr_t>(-1);
    const std::string text = "v.scr /p " + std::to_string(largest);
    std::uintptr_t handle = 0;
    EXPECT_EQ(ParseCommandLine(text.c_str(), &handle), RunMode::Preview);
    EXPECT_EQ(handle, largest);
    const std::string over = "v.scr /p " + std::to_string(largest) + "0";
    ParseCommandLine(over.c_str(), &handle);
    EXPECT_EQ(handle, 0u);
}

}  // namespace
