// Drawing a loaded model by name, lit and textured material by material: one glDrawElements a
// material, from the buffer objects when the model has them, else from its client arrays.
// GL contract: expects the resting state (vertex, normal and texture-coordinate arrays enabled,
// texturing, lighting, depth test and back-face culling on) and changes no enable. Leaves the
// last material's texture bound, the array pointers at the model's data, and no array or
// element buffer bound.
#include "assets/model.h"

#include "assets/texture.h"

int Model::draw(const char* key, int frame) {
    Model* model = find(key);
    if (model == nullptr) return 0;
    return model->draw_frame(frame);
}

int Model::draw_frame(int frame) {
    // Past the model's frames there are no arrays to read.
    if (frame < 0 || frame >= frame_count) return 0;
    if (has_vbo) {
        glBindBufferARB(GL_ARRAY_BUFFER_ARB, vertex_buffers[frame]);
        // Also enables the three arrays it describes and disables the colour, index and
        // edge-flag arrays.
        glInterleavedArrays(GL_T2F_N3F_V3F, 0, nullptr);
    } else {
        glVertexPointer(3, GL_FLOAT, 0, positions[frame]);
        glNormalPointer(GL_FLOAT, 0, normals[frame]);
        glTexCoordPointer(2, GL_FLOAT, 0, texcoords[frame]);
    }
    const unsigned short* first = indices[frame];
    for (int m = 0; m < material_count; ++m) {
        // An absent texture name leaves the previous binding in place.
        if (textures != nullptr) textures->bind(texture_names[m]);
        const Material& material = materials[m];
        glMaterialfv(GL_FRONT, GL_AMBIENT, material.ambient);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, material.diffuse);
        glMaterialfv(GL_FRONT, GL_SPECULAR, material.specular);
        glMaterialf(GL_FRONT, GL_SHININESS, material.shininess);
        const int count = 3 * triangle_counts[m];
        if (has_vbo) {
            glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, index_buffers[frame][m]);
            glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_SHORT, nullptr);
        } else {
            glDrawElements(GL_TRIANGLES, count, GL_UNSIGNED_SHORT, first);
        }
        first += count;
    }
    if (has_vbo) {
        glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
        glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
    }
    return 1;
}
