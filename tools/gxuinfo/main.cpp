// gxuinfo: reads one GXU file through the program's own parser and prints what it holds, or
// why it refuses the file. Exits 0 for a file the program would load, 1 otherwise.
#include <cstdio>
#include <vector>

#include "assets/gxu_format.h"
#include "jpegdec/file_bytes.h"

namespace {

// A texture name as text, with bytes outside printable ASCII written as \xNN.
void PrintName(const char* name) {
    std::putchar('"');
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(name); *c; ++c) {
        if (*c < 0x20 || *c >= 0x7F || *c == '"' || *c == '\\') std::printf("\\x%02X", *c);
        else std::putchar(*c);
    }
    std::putchar('"');
}

void PrintExtents(const GxuData& model) {
    const int count = model.vertex_counts[0];
    if (count == 0) {
        std::printf("extents none\n");
        return;
    }
    const float* p = model.positions[0];
    float low[3] = {p[0], p[1], p[2]};
    float high[3] = {p[0], p[1], p[2]};
    for (int v = 1; v < count; ++v) {
        for (int i = 0; i < 3; ++i) {
            const float x = p[3 * v + i];
            if (x < low[i]) low[i] = x;
            if (x > high[i]) high[i] = x;
        }
    }
    std::printf("extents x %g %g y %g %g z %g %g\n", low[0], high[0], low[1], high[1], low[2],
                high[2]);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: gxuinfo model.gxu\n");
        return 2;
    }
    std::vector<unsigned char> bytes;
    if (!read_file_bytes(argv[1], &bytes)) {
        std::fprintf(stderr, "gxuinfo: %s: cannot read the file\n", argv[1]);
        return 1;
    }
    GxuData model;
    std::size_t where = 0;
    const GxuStatus status = ParseGxu(bytes.data(), bytes.size(), &model, &where);
    if (status != GxuStatus::Ok) {
        std::printf("gxuinfo: %s: refused at byte %zu of %zu: %s\n", argv[1], where, bytes.size(),
                    GxuStatusText(status));
        return 1;
    }
    std::printf("frames %d materials %d vertices %d triangles %lld\n", model.frame_count,
                model.material_count, model.vertex_counts[0],
                GxuTriangleTotal(model.triangle_counts, model.material_count));
    PrintExtents(model);
    for (int m = 0; m < model.material_count; ++m) {
        std::printf("material %d triangles %d texture ", m, model.triangle_counts[m]);
        PrintName(model.texture_names[m]);
        std::putchar('\n');
    }
    return 0;
}
