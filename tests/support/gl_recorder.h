// A thin recording layer under the program's OpenGL calls, for tests that check a call
// sequence: while a GlRecorder lives, the calls this executable makes to a few opengl32
// functions are written to its log and then passed on, through the executable's import slots.
// Buffer-object calls go through a Model's entry points; record_buffers() wraps a model's.
#pragma once

#include <windows.h>
#include <GL/gl.h>

#include <string>
#include <vector>

class Model;

class GlRecorder {
public:
    GlRecorder();   // starts recording glDrawElements, glMaterialfv, glMaterialf, glBindTexture,
                    // glInterleavedArrays, glVertexPointer, glNormalPointer, glTexCoordPointer,
                    // glEnable and glDisable
    ~GlRecorder();  // puts the import slots back
    GlRecorder(const GlRecorder&) = delete;
    GlRecorder& operator=(const GlRecorder&) = delete;

    // True when every import slot was found and redirected.
    bool ok() const { return ok_; }
    // Records model's glBindBufferARB calls too, until the recorder ends.
    void record_buffers(Model* model);

    const std::vector<std::string>& calls() const;
    void clear();

private:
    bool ok_ = false;
    std::vector<Model*> models_;
};

// The log's text of one call, as GlRecorder writes it: "glDrawElements(4, 30, 5123, 0x...)".
// Integers in decimal, pointers with %p, floats with %g.
std::string CallText(const char* function, const std::vector<long long>& integers,
                     const void* pointer = nullptr, bool has_pointer = false);
std::string FloatsCallText(const char* function, long long face, long long name,
                           const float* values, int count);
