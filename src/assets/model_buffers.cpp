// The model's buffer objects: one vertex buffer per frame in the interleaved GL_T2F_N3F_V3F
// layout, one index buffer per material and frame, uploaded once with GL_STATIC_DRAW_ARB.
// GL contract: leaves no array or element buffer bound.
#include "assets/model.h"

#include <new>

int Model::upload_buffers(Model* node) {
    const int frames = node->frame_count;
    const int material_total = node->material_count;
    node->vertex_buffers = new (std::nothrow) GLuint[frames]();
    node->index_buffers = new (std::nothrow) GLuint*[frames]();
    if (node->vertex_buffers == nullptr || node->index_buffers == nullptr) return 0;
    glGenBuffersARB(frames, node->vertex_buffers);
    for (int f = 0; f < frames; ++f) {
        const int vertex_count = node->vertex_counts[f];
        float* interleaved = new (std::nothrow) float[8 * static_cast<size_t>(vertex_count)];
        GLuint* names = node->index_buffers[f] = new (std::nothrow) GLuint[material_total]();
        if (interleaved == nullptr || names == nullptr) {
            delete[] interleaved;
            return 0;
        }
        InterleaveT2fN3fV3f(node->positions[f], node->normals[f], node->texcoords[f], vertex_count,
                            interleaved);
        glBindBufferARB(GL_ARRAY_BUFFER_ARB, node->vertex_buffers[f]);
        glBufferDataARB(GL_ARRAY_BUFFER_ARB, 32 * static_cast<GLsizeiptrARB>(vertex_count),
                        interleaved, GL_STATIC_DRAW_ARB);
        delete[] interleaved;
        glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);

        glGenBuffersARB(material_total, names);
        const unsigned short* first = node->indices[f];
        for (int m = 0; m < material_total; ++m) {
            const int count = 3 * node->triangle_counts[m];
            glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, names[m]);
            glBufferDataARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 2 * static_cast<GLsizeiptrARB>(count),
                            first, GL_STATIC_DRAW_ARB);
            glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
            first += count;
        }
    }
    return 1;
}
