// Huffman decoding against the plain search over the codes in code order, with the codes made
// here from the counts: the same symbols, the same bits consumed, and the 16-bit accumulator
// when no code matches; also for counts that over-fill the code space.
#include <gtest/gtest.h>

#include <random>

#include "assets/jpeg_decoder.h"
#include "unit/assets/jpeg_test_support.h"

namespace {

// The codes of T.81 Annex C: from 0, each symbol takes the next code, doubled after each
// length; held in 16 bits. Over-full counts give codes too long for their length.
struct Codes {
    int count = 0;
    int lengths[256];
    unsigned codes[256];
};
Codes make_codes(const HuffmanTable& table) {
    Codes c;
    unsigned code = 0;
    for (int length = 1; length <= 16; ++length) {
        for (int i = 0; i < table.counts[length - 1]; ++i) {
            c.lengths[c.count] = length;
            c.codes[c.count++] = code++ & 0xFFFF;
        }
        code <<= 1;
    }
    return c;
}

// The search: after each further bit, compare the codes of that length in order.
int search_decode(JpegDecoder* d, const HuffmanTable& table, const Codes& c) {
    int accumulator = 0;
    int k = 0;
    for (int length = 1; length <= 16; ++length) {
        accumulator = (accumulator << 1) | jpeg_get_bit(d);
        for (; k < c.count && c.lengths[k] <= length; ++k) {
            if (static_cast<int>(c.codes[k]) == accumulator) return table.values[k];
        }
    }
    return accumulator;
}

// Random code lengths; some tables leave much of the code space unused, so that many bit
// patterns match no code, and over-full ones put more codes at some lengths than fit.
HuffmanTable random_table(std::mt19937* random, bool over_full) {
    HuffmanTable table = {};
    long long room = 1;  // free codes at the current length
    int total = 0;
    const int sparse = (*random)() % 3;
    for (int length = 1; length <= 16; ++length) {
        room *= 2;
        long long limit = std::min<long long>({room, 256 - total, 40});
        if (over_full && (*random)() % 4 == 0) limit = std::min(256 - total, 40);
        int n = limit > 0 ? static_cast<int>((*random)() % (limit + 1)) : 0;
        if (sparse == 0 && n > 1) n /= 2;
        table.counts[length - 1] = static_cast<unsigned char>(n);
        room = std::max(0LL, room - n);
        total += n;
    }
    for (int i = 0; i < total; ++i) table.values[i] = static_cast<unsigned char>((*random)());
    return table;
}

// A decoder reading entropy-coded data from its own copy of the bytes.
struct Reader {
    explicit Reader(const Bytes& bytes) : data(bytes), decoder(new JpegDecoder()) {
        decoder->stream.reset(new MemoryStream(data.data(), static_cast<int>(data.size())));
    }
    Bytes data;
    std::unique_ptr<JpegDecoder> decoder;
};

TEST(JpegHuffman, TableDecodeMatchesTheCodeSearch) {
    std::mt19937 random(12345);
    int over_full_tables = 0;
    for (int round = 0; round < 600; ++round) {
        HuffmanTable table = random_table(&random, round % 2 == 1);
        ASSERT_TRUE(jpeg_build_huffman_table(&table));
        const Codes codes = make_codes(table);
        over_full_tables += table.over_full;
        // Random bytes without FF, so that no marker handling is involved.
        Bytes data(600);
        for (unsigned char& b : data) b = static_cast<unsigned char>(random() % 255);
        Reader fast(data), plain(data);
        for (int i = 0; i < 200; ++i) {
            const int expected = search_decode(plain.decoder.get(), table, codes);
            ASSERT_EQ(jpeg_huff_decode(fast.decoder.get(), &table), expected)
                << "round " << round << " symbol " << i;
        }
        // The same bits were consumed: the next 16 bits agree.
        EXPECT_EQ(jpeg_get_bits(fast.decoder.get(), 16), jpeg_get_bits(plain.decoder.get(), 16));
    }
    EXPECT_GT(over_full_tables, 100);
}

TEST(JpegHuffman, NoMatchingCodeGivesTheAccumulator) {
    HuffmanTable table = {};
    table.counts[1] = 2;  // codes 00 and 01: nothing starting with 1 matches
    table.values[0] = 0x11;
    table.values[1] = 0x22;
    ASSERT_TRUE(jpeg_build_huffman_table(&table));
    Reader r({0xBF, 0xFF, 0x00, 0x40, 0xFF, 0x00, 0xFF, 0x00});
    EXPECT_EQ(jpeg_huff_decode(r.decoder.get(), &table), 0xBFFF);  // 16 bits, no match
    EXPECT_EQ(jpeg_huff_decode(r.decoder.get(), &table), 0x22);    // 01
    for (int i = 0; i < 3; ++i) EXPECT_EQ(jpeg_huff_decode(r.decoder.get(), &table), 0x11);
    EXPECT_EQ(jpeg_huff_decode(r.decoder.get(), &table), 0xFFFF);  // the stuffed FF bytes
}

// Only more than 256 symbols are refused; counts beyond the code space mark the table.
TEST(JpegHuffman, CodeSpaceIsCheckedWhenTheTableIsBuilt) {
    const struct {
        Bytes counts;
        int built;
        int over_full;
    } kCases[] = {
        {{2}, 1, 0},                        // 0 and 1: the whole space
        {{0, 4}, 1, 0},                     // 00 to 11
        {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2}, 1, 0},
        {{3}, 1, 1},
        {{1, 3}, 1, 1},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255}, 1, 0},
        {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3}, 1, 1},
        {{255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 1, 1},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 2}, 0, 0},  // 257 symbols
    };
    for (const auto& c : kCases) {
        HuffmanTable table = {};
        for (size_t i = 0; i < c.counts.size(); ++i) table.counts[i] = c.counts[i];
        EXPECT_EQ(jpeg_build_huffman_table(&table), c.built) << testing::PrintToString(c.counts);
        if (c.built) {
            EXPECT_EQ(table.over_full, c.over_full) << testing::PrintToString(c.counts);
        }
    }
}

}  // namespace
