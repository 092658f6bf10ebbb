// libFuzzer target: any bytes through the GXU parser, under AddressSanitizer and
// UndefinedBehaviorSanitizer. A file the parser takes must keep the promises the drawing code
// relies on: every index below its frame's vertex count, every array as long as its counts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "assets/gxu_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GxuData model;
    if (ParseGxu(data, size, &model) != GxuStatus::Ok) return 0;
    if (model.frame_count < 1) std::abort();
    const long long index_count = 3 * GxuTriangleTotal(model.triangle_counts, model.material_count);
    for (int m = 0; m < model.material_count; ++m)
        if (std::strlen(model.texture_names[m]) >= kGxuNameCapacity) std::abort();
    for (int f = 0; f < model.frame_count; ++f) {
        const int vertex_count = model.vertex_counts[f];
        for (long long i = 0; i < index_count; ++i)
            if (model.indices[f][i] >= vertex_count) std::abort();
        // The interleaving reads every vertex array to its end.
        std::vector<float> interleaved(8 * static_cast<std::size_t>(vertex_count));
        InterleaveT2fN3fV3f(model.positions[f], model.normals[f], model.texcoords[f],
                            vertex_count, interleaved.data());
    }
    return 0;
}
