// The tests' GXU reader and the access to the generated assets (see gxu_reader.h).
#include "unit/resources/gxu_reader.h"

#include <cstdint>
#include <cstring>

#include "jpegdec/file_bytes.h"

namespace {

class Reader {
public:
    explicit Reader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}
    bool u16(int* value) {
        if (left() < 2) return false;
        *value = bytes_[at_] | (bytes_[at_ + 1] << 8);
        at_ += 2;
        return true;
    }
    bool f32(float* value) {
        if (left() < 4) return false;
        const std::uint32_t bits = static_cast<std::uint32_t>(bytes_[at_]) |
                                   (static_cast<std::uint32_t>(bytes_[at_ + 1]) << 8) |
                                   (static_cast<std::uint32_t>(bytes_[at_ + 2]) << 16) |
                                   (static_cast<std::uint32_t>(bytes_[at_ + 3]) << 24);
        std::memcpy(value, &bits, sizeof *value);
        at_ += 4;
        return true;
    }
    bool text(std::string* value) {
        value->clear();
        while (left() > 0) {
            const unsigned char c = bytes_[at_++];
            if (c == 0) return true;
            value->push_back(static_cast<char>(c));
        }
        return false;
    }
    std::size_t left() const { return bytes_.size() - at_; }
    std::size_t at() const { return at_; }

private:
    const std::vector<unsigned char>& bytes_;
    std::size_t at_ = 0;
};

int fail(std::string* reason, const char* what) {
    *reason = what;
    return 0;
}

}  // namespace

int read_gxu(const std::vector<unsigned char>& bytes, GxuModel* model, std::string* reason) {
    Reader in(bytes);
    int material_count = 0;
    if (!in.u16(&model->frame_count) || !in.u16(&material_count))
        return fail(reason, "short header");
    model->materials.resize(material_count);
    int index_total = 0;
    for (GxuMaterial& m : model->materials) {
        for (float* triple : {m.ambient, m.diffuse, m.specular, m.colour4}) {
            for (int i = 0; i < 3; ++i) {
                if (!in.f32(&triple[i])) return fail(reason, "short material");
            }
        }
        if (!in.f32(&m.shininess) || !in.u16(&m.triangle_count) || !in.text(&m.texture)) {
            return fail(reason, "short material");
        }
        index_total += 3 * m.triangle_count;
    }
    for (int frame = 0; frame < model->frame_count; ++frame) {
        int vertex_count = 0;
        if (!in.u16(&vertex_count)) return fail(reason, "short frame");
        if (in.left() < static_cast<std::size_t>(vertex_count) * 32 +
                            static_cast<std::size_t>(index_total) * 2) {
            return fail(reason, "frame longer than the file");
        }
        std::vector<GxuVertex> vertices(vertex_count);
        for (GxuVertex& v : vertices) {
            for (float& f : v.position) in.f32(&f);
            for (float& f : v.normal) in.f32(&f);
            for (float& f : v.texcoord) in.f32(&f);
        }
        std::vector<std::vector<std::array<int, 3>>> triangles(material_count);
        for (int m = 0; m < material_count; ++m) {
            triangles[m].resize(model->materials[m].triangle_count);
            for (auto& tri : triangles[m]) {
                for (int& index : tri) in.u16(&index);
            }
        }
        if (frame == 0) {
            model->vertices = vertices;
            model->triangles = triangles;
        }
    }
    model->bytes_read = in.at();
    if (in.left() != 0) return fail(reason, "bytes after the last frame");
    return 1;
}

std::vector<unsigned char> resource_file(const std::string& name) {
    std::vector<unsigned char> bytes;
    if (!read_file_bytes((std::string(VELOTH_RESOURCES_DIR) + "/" + name).c_str(), &bytes)) bytes.clear();
    return bytes;
}
