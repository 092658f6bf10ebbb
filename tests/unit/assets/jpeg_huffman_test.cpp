// Huffman decoding against the plain search over the table's codes in code order: the same
// symbols, the same bits consumed, and the 16-bit accumulator when no code matches.
#include <gtest/gtest.h>

#include <random>

#include "assets/jpeg_decoder.h"
#include "unit/assets/jpeg_test_support.h"

namespace {

// The search: after each further bit, compare the codes of that length in order.
int search_decode(JpegDecoder* d, const HuffmanTable* table) {
    int accumulator = 0;
    int k = 0;
    for (int length = 1; length <= 16; ++length) {
        accumulator = (accumulator << 1) | jpeg_get_bit(d);
        for (; k < table->symbol_count && table->lengths[k] <= length; ++k) {
            if (table->codes[k] == accumulator) return table->values[k];
        }
    }
    return accumulator;
}

// Random code lengths that never over-fill the code space; some tables leave much of it
// unused, so that many bit patterns match no code.
HuffmanTable random_table(std::mt19937* random) {
    HuffmanTable table = {};
    long long room = 1;  // free codes at the current length
    int total = 0;
    const int sparse = (*random)() % 3;
    for (int length = 1; length <= 16; ++length) {
        room *= 2;
        const long long limit = std::min<long long>({room, 256 - total, 40});
        int n = limit > 0 ? static_cast<int>((*random)() % (limit + 1)) : 0;
        if (sparse == 0 && n > 1) n /= 2;
        table.counts[length - 1] = static_cast<unsigned char>(n);
        room -= n;
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
    for (int round = 0; round < 300; ++round) {
        HuffmanTable table = random_table(&random);
        ASSERT_TRUE(jpeg_build_huffman_table(&table));
        // Random bytes without FF, so that no marker handling is involved.
        Bytes data(600);
        for (unsigned char& b : data) b = static_cast<unsigned char>(random() % 255);
        Reader fast(data), plain(data);
        for (int i = 0; i < 200; ++i) {
            const int expected = search_decode(plain.decoder.get(), &table);
            ASSERT_EQ(jpeg_huff_decode(fast.decoder.get(), &table), expected)
                << "round " << round << " symbol " << i;
        }
        // The same bits were consumed: the next 16 bits agree.
        EXPECT_EQ(jpeg_get_bits(fast.decoder.get(), 16), jpeg_get_bits(plain.decoder.get(), 16));
    }
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

TEST(JpegHuffman, CodeSpaceIsCheckedWhenTheTableIsBuilt) {
    const struct {
        Bytes counts;
        bool valid;
    } kCases[] = {
        {{2}, true},                        // 0 and 1: the whole space
        {{0, 4}, true},                     // 00 to 11
        {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2}, true},
        {{3}, false},
        {{1, 3}, false},
        {{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255}, true},
        {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 3}, false},
    };
    for (const auto& c : kCases) {
        HuffmanTable table = {};
        for (size_t i = 0; i < c.counts.size(); ++i) table.counts[i] = c.counts[i];
        EXPECT_EQ(jpeg_build_huffman_table(&table), c.valid ? 1 : 0)
            << testing::PrintToString(c.counts);
    }
}

}  // namespace
