// The error log keeps whole lines in order and never runs past its buffer.
#include "app/error_log.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(ErrorLog, StartsEmptyAndKeepsLinesInOrder) {
    ErrorLog log;
    EXPECT_TRUE(log.empty());
    EXPECT_STREQ(log.text(), "");
    log.append("EnumDisplaySettings: Could not detect display settings\n");
    log.append("gmLoadStuff: Could not load stuff\n");
    EXPECT_FALSE(log.empty());
    EXPECT_STREQ(log.text(),
                 "EnumDisplaySettings: Could not detect display settings\n"
                 "gmLoadStuff: Could not load stuff\n");
}

TEST(ErrorLog, OverlongTextIsCutAtCapacity) {
    ErrorLog log;
    const std::string line(700, 'x');
    log.append(line.c_str());
    log.append(line.c_str());
    log.append("more");
    EXPECT_EQ(std::strlen(log.text()), ErrorLog::kCapacity - 1);
    EXPECT_EQ(std::string(log.text()), std::string(ErrorLog::kCapacity - 1, 'x'));
}

TEST(ErrorLog, NullTextIsIgnored) {
    ErrorLog log;
    log.append(nullptr);
    EXPECT_TRUE(log.empty());
}
