// Helpers of the JPEG decoder tests (see jpeg_test_support.h).
#include "unit/assets/jpeg_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

#include "assets/texture.h"

Bytes fixture(const std::string& name) {
    for (int i = 0; i < kJpegFixtureCount; ++i) {
        if (name == kJpegFixtures[i].name) {
            return Bytes(kJpegFixtures[i].data, kJpegFixtures[i].data + kJpegFixtures[i].size);
        }
    }
    ADD_FAILURE() << "no fixture " << name;
    return Bytes();
}

Decoded decode(const Bytes& bytes, const char* name) {
    std::unique_ptr<unsigned char[]> copy(new unsigned char[bytes.size() + 1]);
    if (!bytes.empty()) std::memcpy(copy.get(), bytes.data(), bytes.size());
    Decoded d;
    testing::internal::CaptureStderr();
    const unsigned char* data = bytes.empty() ? nullptr : copy.get();
    d.pixels.reset(Texture::load_jpeg(name, &d.width, &d.height, data,
                                      static_cast<int>(bytes.size())));
    d.messages = testing::internal::GetCapturedStderr();
    return d;
}

std::vector<int> flat_block_values(const Decoded& d) {
    std::vector<int> values;
    if (d.pixels == nullptr) {
        ADD_FAILURE() << "not decoded: " << d.messages;
        return values;
    }
    for (int left = 0; left < d.width; left += 8) {
        const int v = d.at(left, 0, 0);
        for (int y = 0; y < 8 && y < d.height; ++y) {
            for (int x = left; x < left + 8 && x < d.width; ++x) {
                EXPECT_EQ(d.at(x, y, 0), v) << "block " << left / 8 << " is not flat";
                EXPECT_EQ(d.at(x, y, 1), v);
                EXPECT_EQ(d.at(x, y, 2), v);
                EXPECT_EQ(d.at(x, y, 3), 255);
            }
        }
        values.push_back(v);
    }
    return values;
}

namespace {

// The next whitespace-separated number of a PNM header, skipping comments.
int header_number(const Bytes& bytes, size_t* at, int* value) {
    while (*at < bytes.size()) {
        const unsigned char c = bytes[*at];
        if (c == '#') {
            while (*at < bytes.size() && bytes[*at] != '\n') ++*at;
        } else if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            ++*at;
        } else {
            break;
        }
    }
    int n = 0, digits = 0;
    while (*at < bytes.size() && bytes[*at] >= '0' && bytes[*at] <= '9' && digits < 7) {
        n = n * 10 + (bytes[*at] - '0');
        ++*at;
        ++digits;
    }
    *value = n;
    return digits > 0;
}

void put_word(Bytes* out, int value) {
    out->push_back(static_cast<unsigned char>(value >> 8));
    out->push_back(static_cast<unsigned char>(value & 0xFF));
}

}  // namespace

int parse_pnm(const Bytes& bytes, Pnm* pnm) {
    if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '5' && bytes[1] != '6')) return 0;
    pnm->channels = bytes[1] == '5' ? 1 : 3;
    size_t at = 2;
    int maximum = 0;
    if (!header_number(bytes, &at, &pnm->width) || !header_number(bytes, &at, &pnm->height) ||
        !header_number(bytes, &at, &maximum) || maximum != 255) {
        return 0;
    }
    ++at;  // the single whitespace byte before the samples
    const size_t count = static_cast<size_t>(pnm->width) * pnm->height * pnm->channels;
    if (at + count != bytes.size()) return 0;
    pnm->samples.assign(bytes.begin() + static_cast<long>(at), bytes.end());
    return 1;
}

Segment& JpegFile::first(int code) {
    for (Segment& s : segments) {
        if (s.code == code) return s;
    }
    ADD_FAILURE() << "no segment " << std::hex << code;
    return segments[0];
}

Bytes JpegFile::bytes() const {
    Bytes out = {0xFF, 0xD8};
    for (const Segment& s : segments) {
        out.push_back(0xFF);
        out.push_back(static_cast<unsigned char>(s.code));
        put_word(&out, static_cast<int>(s.payload.size()) + 2);
        out.insert(out.end(), s.payload.begin(), s.payload.end());
    }
    out.insert(out.end(), entropy.begin(), entropy.end());
    return out;
}

int parse_jpeg(const Bytes& bytes, JpegFile* file) {
    if (bytes.size() < 2 || bytes[0] != 0xFF || bytes[1] != 0xD8) return 0;
    size_t at = 2;
    while (at + 4 <= bytes.size() && bytes[at] == 0xFF) {
        const int code = bytes[at + 1];
        const size_t length = (static_cast<size_t>(bytes[at + 2]) << 8) | bytes[at + 3];
        if (length < 2 || at + 2 + length > bytes.size()) return 0;
        const auto begin = bytes.begin() + static_cast<long>(at + 4);
        file->segments.push_back({code, Bytes(begin, begin + static_cast<long>(length - 2))});
        at += 2 + length;
        if (code == 0xDA) {
            file->entropy.assign(bytes.begin() + static_cast<long>(at), bytes.end());
            return 1;
        }
    }
    return 0;
}

void BitWriter::put(unsigned value, int bits) {
    for (int i = bits - 1; i >= 0; --i) {
        pending_ = (pending_ << 1) | ((value >> i) & 1);
        if (++pending_bits_ == 8) {
            bytes_.push_back(static_cast<unsigned char>(pending_));
            if (pending_ == 0xFF) bytes_.push_back(0x00);
            pending_ = 0;
            pending_bits_ = 0;
        }
    }
}

void BitWriter::raw(const Bytes& bytes) {
    EXPECT_EQ(pending_bits_, 0) << "raw bytes inside a byte of bits";
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void BitWriter::align() {
    if (pending_bits_ > 0) put(0xFF, 8 - pending_bits_);
}

Bytes BitWriter::finish() {
    align();
    return bytes_;
}

int size_category(int value) {
    int size = 0;
    for (int magnitude = value < 0 ? -value : value; magnitude > 0; magnitude >>= 1) ++size;
    return size;
}

void put_amplitude(BitWriter* writer, int value) {
    const int size = size_category(value);
    // T.81: a negative value is sent as value - 1 in its low `size` bits.
    const unsigned bits = static_cast<unsigned>(value < 0 ? value - 1 : value);
    writer->put(bits & ((1u << size) - 1), size);
}

void put_dc_block(BitWriter* writer, int diff) {
    writer->put(static_cast<unsigned>(size_category(diff)), 4);
    put_amplitude(writer, diff);
    writer->put(0, 1);
}

JpegFile crafted_jpeg(int width, int height, const std::vector<int>& samplings, int dc_quant,
                      const Bytes& entropy) {
    JpegFile file;
    Bytes dqt = {0x00};
    dqt.push_back(static_cast<unsigned char>(dc_quant));
    dqt.insert(dqt.end(), 63, 1);
    file.segments.push_back({0xDB, dqt});

    Bytes sof = {8};
    put_word(&sof, height);
    put_word(&sof, width);
    sof.push_back(static_cast<unsigned char>(samplings.size()));
    for (size_t i = 0; i < samplings.size(); ++i) {
        sof.insert(sof.end(), {static_cast<unsigned char>(i + 1),
                               static_cast<unsigned char>(samplings[i]), 0});
    }
    file.segments.push_back({0xC0, sof});

    Bytes dht = {0x00, 0, 0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int s = 0; s < 12; ++s) dht.push_back(static_cast<unsigned char>(s));
    dht.insert(dht.end(), {0x10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00});
    file.segments.push_back({0xC4, dht});

    Bytes sos = {static_cast<unsigned char>(samplings.size())};
    for (size_t i = 0; i < samplings.size(); ++i) {
        sos.insert(sos.end(), {static_cast<unsigned char>(i + 1), 0x00});
    }
    sos.insert(sos.end(), {0, 63, 0});
    file.segments.push_back({0xDA, sos});

    file.entropy = entropy;
    file.entropy.insert(file.entropy.end(), {0xFF, 0xD9});
    return file;
}

void add_restart_interval(JpegFile* file, int interval) {
    Bytes dri;
    put_word(&dri, interval);
    file->segments.insert(file->segments.end() - 1, {0xDD, dri});
}
