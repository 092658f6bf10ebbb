// MemoryStream: reads and seeks never leave the data, whatever they are asked.
#include "assets/memory_stream.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

const unsigned char kData[5] = {10, 20, 30, 40, 50};

TEST(MemoryStream, GetcReadsEachByteThenMinusOne) {
    MemoryStream s(kData, 5);
    for (unsigned char expected : kData) {
        EXPECT_EQ(s.eof(), 0);
        EXPECT_EQ(s.getc(), expected);
    }
    EXPECT_EQ(s.eof(), -1);
    EXPECT_EQ(s.getc(), -1);
    EXPECT_EQ(s.position, 5);
    EXPECT_EQ(s.cursor, kData + 5);
}

TEST(MemoryStream, ReadCopiesAtMostWhatRemains) {
    const struct {
        int start, size, count;
        int copied;
    } kCases[] = {
        {0, 1, 3, 3},   {0, 2, 2, 4},         {3, 1, 5, 2},  {5, 1, 1, 0},
        {0, -1, 2, 0},  {0, 1, -2, 0},        {2, INT_MAX, INT_MAX, 3},
    };
    for (const auto& c : kCases) {
        MemoryStream s(kData, 5);
        ASSERT_EQ(s.seek(c.start, 0), 0);
        unsigned char out[8] = {};
        EXPECT_EQ(s.read(out, c.size, c.count), c.copied);
        EXPECT_EQ(s.position, c.start + c.copied);
        for (int i = 0; i < c.copied; ++i) EXPECT_EQ(out[i], kData[c.start + i]);
        EXPECT_EQ(out[c.copied], 0);
    }
}

TEST(MemoryStream, SeekStaysInsideTheData) {
    const struct {
        int start, offset, origin;
        int result, position;
    } kCases[] = {
        {0, 3, 0, 0, 3},   {2, 2, 1, 0, 4},  {4, -4, 1, 0, 0},        {0, 5, 0, 0, 5},
        {0, 6, 0, -1, 0},  {2, -3, 1, -1, 2}, {1, -1, 0, -1, 1},      {3, 0, 2, -1, 3},
        {4, INT_MAX, 1, -1, 4}, {4, INT_MIN, 1, -1, 4},
    };
    for (const auto& c : kCases) {
        MemoryStream s(kData, 5);
        ASSERT_EQ(s.seek(c.start, 0), 0);
        EXPECT_EQ(s.seek(c.offset, c.origin), c.result) << c.start << " " << c.offset;
        EXPECT_EQ(s.position, c.position);
        EXPECT_EQ(s.cursor, kData + c.position);
    }
}

TEST(MemoryStream, EmptyOrNullDataHasNothingToRead) {
    MemoryStream empty(kData, 0), null(nullptr, 10), negative(kData, -3);
    for (MemoryStream* s : {&empty, &null, &negative}) {
        EXPECT_EQ(s->eof(), -1);
        EXPECT_EQ(s->getc(), -1);
        unsigned char out = 0;
        EXPECT_EQ(s->read(&out, 1, 1), 0);
        EXPECT_EQ(s->seek(1, 0), -1);
    }
}

}  // namespace
