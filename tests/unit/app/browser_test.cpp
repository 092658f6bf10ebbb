// Reading the browser command from the registry: values around the buffer's size, with and
// without their terminator, and keys or values that are not there. The tests write a key of
// their own under HKEY_CURRENT_USER and read it back with the program's reader.
#include "app/browser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

const char kTestRoot[] = "Software\\Classes\\VelothUnitTest";
const char kTestKey[] = "Software\\Classes\\VelothUnitTest\\shell\\open\\command";

class CommandValueTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key_, nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        if (key_ != nullptr) RegCloseKey(key_);
        RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
    }
    // Stores exactly these bytes as the key's default value: no terminator is added.
    void Store(DWORD type, const std::string& bytes) {
        ASSERT_EQ(RegSetValueExA(key_, nullptr, 0, type,
                                 reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }
    // Reads with the program's reader into a buffer that held something else before.
    bool Read(std::string* text) {
        std::memset(command_, 'Q', sizeof(command_));
        const bool ok = ReadCommandValue(HKEY_CURRENT_USER, kTestKey, command_);
        const void* end = std::memchr(command_, '\0', sizeof(command_));
        *text = end != nullptr ? std::string(command_) : "(not terminated)";
        return ok;
    }

    HKEY key_ = nullptr;
    char command_[kBrowserCommandSize];
};

struct StoredCase {
    const char* name;
    DWORD type;
    std::string bytes;
    bool ok;
    std::string text;
};

TEST_F(CommandValueTest, ValuesAroundTheBufferSize) {
    const std::string browser = "\"C:\\Program Files\\Browser\\browser.exe\" \"%1\"";
    const std::string chars510(510, 'a'), chars511(511, 'a'), chars512(512, 'a');
    const StoredCase cases[] = {
        {"0 bytes", REG_SZ, "", true, ""},
        {"a browser's command as usually stored", REG_SZ, browser + '\0', true, browser},
        {"a REG_SZ written without its terminator", REG_SZ, browser, true, browser},
        {"511 bytes: 510 characters and the terminator", REG_SZ, chars510 + '\0', true, chars510},
        {"511 bytes without a terminator", REG_SZ, chars511, true, chars511},
        {"512 bytes: 511 characters and the terminator", REG_SZ, chars511 + '\0', true, chars511},
        {"512 bytes without a terminator", REG_SZ, chars512, false, ""},
        {"600 bytes", REG_SZ, std::string(599, 'a') + '\0', false, ""},
        // The type is not examined, and no reader adds a terminator to binary data.
        {"20 binary bytes", REG_BINARY, std::string(20, 'b'), true, std::string(20, 'b')},
        {"512 binary bytes", REG_BINARY, std::string(512, 'b'), false, ""},
    };
    for (const StoredCase& c : cases) {
        Store(c.type, c.bytes);
        std::string text;
        EXPECT_EQ(Read(&text), c.ok) << c.name;
        EXPECT_EQ(text, c.text) << c.name;
    }
}

TEST_F(CommandValueTest, MissingValueOrKeyLeavesTheCommandEmpty) {
    std::string text;
    EXPECT_FALSE(Read(&text)) << "a key without a default value";
    EXPECT_EQ(text, "");
    RegCloseKey(key_);
    key_ = nullptr;
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestRoot);
    EXPECT_FALSE(Read(&text)) << "no key";
    EXPECT_EQ(text, "");
}

}  // namespace
