// The generated JPEG assets under resources/: baseline files of the sizes and sampling the
// program is built for, which our decoder and djpeg decode alike; the atlas paints the bezel
// front light grey, and the preview shows the monitor with its rain over a dark desktop.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "unit/assets/jpeg_test_support.h"
#include "unit/resources/gxu_reader.h"

namespace {

struct JpegAsset {
    const char* name;
    int width, height;
};
const JpegAsset kJpegAssets[] = {{"Texture1.jpg", 512, 512}, {"ASmallTexture1.jpg", 256, 128}};

TEST(JpegAssets, AreBaselineWithLumaSampledTwiceAndNoRestartMarkers) {
    for (const JpegAsset& asset : kJpegAssets) {
        SCOPED_TRACE(asset.name);
        JpegFile file;
        ASSERT_TRUE(parse_jpeg(resource_file(asset.name), &file));
        int frames = 0;
        for (const Segment& s : file.segments) {
            if (s.code >= 0xC0 && s.code <= 0xCF && s.code != 0xC4 && s.code != 0xC8 &&
                s.code != 0xCC) {
                ++frames;
                EXPECT_EQ(s.code, 0xC0) << "not a baseline frame";
            }
            EXPECT_NE(s.code, 0xDD) << "a restart interval is defined";
        }
        EXPECT_EQ(frames, 1);
        const Bytes& sof = file.first(0xC0).payload;
        ASSERT_EQ(sof.size(), 6u + 3 * 3);
        EXPECT_EQ(sof[0], 8);
        EXPECT_EQ((sof[1] << 8) | sof[2], asset.height);
        EXPECT_EQ((sof[3] << 8) | sof[4], asset.width);
        EXPECT_EQ(sof[5], 3);
        EXPECT_EQ(sof[7], 0x22);   // Y: 2 x 2
        EXPECT_EQ(sof[10], 0x11);  // Cb: 1 x 1
        EXPECT_EQ(sof[13], 0x11);  // Cr: 1 x 1
        for (std::size_t i = 0; i + 1 < file.entropy.size(); ++i) {
            if (file.entropy[i] == 0xFF) {
                EXPECT_FALSE(file.entropy[i + 1] >= 0xD0 && file.entropy[i + 1] <= 0xD7)
                    << "restart marker at " << i;
            }
        }
        ASSERT_GE(file.entropy.size(), 2u);
        EXPECT_EQ(file.entropy[file.entropy.size() - 2], 0xFF);
        EXPECT_EQ(file.entropy.back(), 0xD9);
    }
}

// djpeg's float transform without fancy upsampling, the decoder our conformance tests
// compare with; see jpeg_conformance_test.cpp for the tolerance.
Pnm djpeg(const std::string& name) {
    Pnm pnm;
    const std::string command =
        "djpeg -dct float -nosmooth -pnm '" + std::string(VELOTH_RESOURCES_DIR) + "/" + name + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return pnm;
    Bytes bytes;
    unsigned char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, pipe)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    if (pclose(pipe) != 0) return pnm;
    parse_pnm(bytes, &pnm);
    return pnm;
}

TEST(JpegAssets, DecodeAlikeWithOurDecoderAndWithDjpeg) {
    for (const JpegAsset& asset : kJpegAssets) {
        SCOPED_TRACE(asset.name);
        const Decoded ours = decode(resource_file(asset.name), asset.name);
        ASSERT_NE(ours.pixels, nullptr) << ours.messages;
        EXPECT_EQ(ours.messages, "");
        EXPECT_EQ(ours.width, asset.width);
        EXPECT_EQ(ours.height, asset.height);
        const Pnm theirs = djpeg(asset.name);
        ASSERT_EQ(theirs.channels, 3);
        ASSERT_EQ(theirs.width, asset.width);
        ASSERT_EQ(theirs.height, asset.height);
        int worst = 0;
        long long sum = 0;
        for (int y = 0; y < asset.height; ++y) {
            for (int x = 0; x < asset.width; ++x) {
                for (int ch = 0; ch < 3; ++ch) {
                    const int d =
                        ours.at(x, y, ch) - theirs.samples[(y * asset.width + x) * 3 + ch];
                    worst = std::max(worst, std::abs(d));
                    sum += d;
                }
            }
        }
        EXPECT_LE(worst, 4);
        const double mean = static_cast<double>(sum) / (asset.width * asset.height * 3);
        EXPECT_GE(mean, -1.0);
        EXPECT_LE(mean, 0.0);
    }
}

double luminance(const Decoded& d, int x, int y) {
    return (0.299 * d.at(x, y, 0) + 0.587 * d.at(x, y, 1) + 0.114 * d.at(x, y, 2)) / 255;
}

// The front face gets little of the light (it ends at about 57 % of its texels), so the
// atlas must paint it nearly white for the bezel to read as light grey: sampled where the
// model's front-facing casing triangles map it, it is light, neutral and a little warm.
TEST(CasingAtlas, BezelFrontIsPaintedLightWarmGrey) {
    GxuModel model;
    std::string reason;
    ASSERT_TRUE(read_gxu(resource_file("output.gxu"), &model, &reason)) << reason;
    const Decoded atlas = decode(resource_file("Texture1.jpg"), "Texture1.jpg");
    ASSERT_NE(atlas.pixels, nullptr);
    const double front[3] = {0, 0.309017, 0.951057};
    double sum[3] = {0, 0, 0};
    int samples = 0;
    for (const auto& tri : model.triangles[0]) {
        double facing = 0;
        for (int index : tri) {
            for (int i = 0; i < 3; ++i) facing += model.vertices[index].normal[i] * front[i] / 3;
        }
        if (facing < 0.999) continue;
        double s = 0, t = 0;
        for (int index : tri) {
            s += model.vertices[index].texcoord[0] / 3;
            t += model.vertices[index].texcoord[1] / 3;
        }
        const int x = static_cast<int>(s * 512), y = static_cast<int>(t * 512);
        ASSERT_TRUE(x >= 0 && x < 512 && y >= 0 && y < 512);
        for (int i = 0; i < 3; ++i) sum[i] += atlas.at(x, y, i) / 255.0;
        ++samples;
    }
    ASSERT_GT(samples, 30);
    const double r = sum[0] / samples, g = sum[1] / samples, b = sum[2] / samples;
    EXPECT_GT(0.299 * r + 0.587 * g + 0.114 * b, 0.85);
    EXPECT_GE(r, g);
    EXPECT_GE(g, b);
    EXPECT_LT(r - b, 0.08) << "too colourful for grey plastic";
    EXPECT_GT(r - b, 0.005) << "a cold grey";
}

TEST(PreviewPicture, ShowsTheMonitorWithGreenRainOverADarkDesktop) {
    const Decoded preview = decode(resource_file("ASmallTexture1.jpg"), "ASmallTexture1.jpg");
    ASSERT_NE(preview.pixels, nullptr);
    ASSERT_EQ(preview.width, 256);
    // Only the top-left 152 x 112 pixels are shown.
    double border = 0;
    int border_count = 0, casing = 0, rain = 0;
    for (int y = 0; y < 112; ++y) {
        for (int x = 0; x < 152; ++x) {
            const double l = luminance(preview, x, y);
            if (x < 4 || y < 4 || x >= 148 || y >= 108) {
                border += l;
                ++border_count;
            }
            const int r = preview.at(x, y, 0), g = preview.at(x, y, 1), b = preview.at(x, y, 2);
            if (l > 0.35 && std::abs(r - b) < 30 && std::abs(r - g) < 30) ++casing;
            if (g > 40 && g > r + 20 && g > b + 20) ++rain;
        }
    }
    // The screenshot's desktop: a dark blue.
    EXPECT_LT(border / border_count, 0.2) << "the desktop around the monitor is not dark";
    EXPECT_GT(casing, 1000) << "too little light grey casing";
    // The screen is about 45 x 33 pixels; a tenth of it at least is clearly green.
    EXPECT_GT(rain, 150) << "too little green rain on the screen";
}

}  // namespace
