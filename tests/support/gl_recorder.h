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

private:
    bool ok_ = false;
    std::vector<Model*> models_;
};

// Points the executable's import slot of one function at a replacement while it lives, for a
// test that must see a call the recorder does not log (SwapBuffers, say). ok() is false when
// the executable does not import the function from that DLL.
class ImportHook {
public:
    ImportHook(const char* dll, const char* function, void* replacement);
    ~ImportHook();
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    bool ok() const { return slot_ != nullptr; }
    // The function the slot held, to be called by the replacement.
    void* original() const { return original_; }

private:
    void* original_ = nullptr;
    void** slot_ = nullptr;
};

// The log's text of one call, as GlRecorder writes it: "glDrawElements(4, 30, 5123, 0x...)".
// Integers in decimal, pointers with %p, floats with %g.
std::string CallText(const char* function, const std::vector<long long>& integers,
                     const void* pointer = nullptr, bool has_pointer = false);
std::string FloatsCallText(const char* function, long long face, long long name,
                           const float* values, int count);
