// The browser command as text: registry bytes made into a safe zero-terminated command, and the
// launch line of the command, one blank and an address.
#include "app/browser_command.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/maker_addresses.h"

namespace {

void Fill(char (&buffer)[kBrowserCommandSize], const std::string& text) {
    std::memset(buffer, 'Z', sizeof(buffer));
    std::memcpy(buffer, text.data(), text.size());
}

struct ValueCase {
    const char* name;
    std::string bytes;   // what the registry put into the buffer
    std::size_t length;  // the length it reported
    bool ok;
    std::string text;
};

TEST(TerminateCommandValue, MakesOneTextOrRefuses) {
    const std::string full(511, 'c');
    const ValueCase cases[] = {
        {"empty value", "", 0, true, ""},
        {"with its terminator", std::string("abc\0", 4), 4, true, "abc"},
        {"without a terminator", "abc", 3, true, "abc"},
        {"511 characters, no terminator", full, 511, true, full},
        {"511 characters and the terminator", full + '\0', 512, true, full},
        {"ends early inside a full buffer", std::string("ab\0", 3) + std::string(509, 'x'), 512,
         true, "ab"},
        {"512 characters, no terminator", full + 'c', 512, false, ""},
        {"a length past the buffer", full + 'c', 600, false, ""},
    };
    for (const ValueCase& c : cases) {
        char buffer[kBrowserCommandSize];
        Fill(buffer, c.bytes);
        EXPECT_EQ(TerminateCommandValue(buffer, c.length), c.ok) << c.name;
        ASSERT_NE(std::memchr(buffer, '\0', sizeof(buffer)), nullptr) << c.name;
        EXPECT_EQ(std::string(buffer), c.text) << c.name;
    }
}

struct LineCase {
    const char* name;
    std::string command;
    const char* address;
    std::string line;
};

TEST(BuildLaunchLine, CommandOneBlankAndTheAddress) {
    const std::string quoted = "\"C:\\Program Files\\Browser\\browser.exe\" -new-tab \"%1\"";
    const std::string longest(511, 'b');
    const LineCase cases[] = {
        // Without a command the line is only the blank and the address, which starts nothing.
        {"empty command", "", VELOTH_WEB_LINK, " http://www.veloth.example"},
        // Quotes, switches and placeholders stay as they are.
        {"quoted path with a switch", quoted, VELOTH_MAIL_LINK,
         quoted + " mailto:hi@veloth.example"},
        {"download page", quoted, VELOTH_DOWNLOAD_PAGE,
         quoted + " http://www.veloth.example/download.html"},
        {"longest command", longest, VELOTH_DOWNLOAD_PAGE,
         longest + " http://www.veloth.example/download.html"},
    };
    for (const LineCase& c : cases) {
        char command[kBrowserCommandSize];
        Fill(command, c.command + '\0');
        EXPECT_EQ(BuildLaunchLine(command, c.address), c.line) << c.name;
    }
}

TEST(BuildLaunchLine, NeverReadsPastTheCommandBuffer) {
    char command[kBrowserCommandSize];
    std::memset(command, 'u', sizeof(command));
    EXPECT_EQ(BuildLaunchLine(command, "x"), std::string(kBrowserCommandSize, 'u') + " x");
}

}  // namespace
