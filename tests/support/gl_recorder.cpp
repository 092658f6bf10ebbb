// GlRecorder: the executable's import slots of some opengl32 functions pointed at recorders.
#include "support/gl_recorder.h"

#include <cstdint>
#include <cstdio>

#include "assets/model.h"

namespace {

std::vector<std::string> g_calls;

struct Hook {
    const char* name;
    void* recorder;
    void* original;  // the opengl32 function
    void** slot;     // the import slot that held it
};

using DrawElementsProc = void(APIENTRY*)(GLenum, GLsizei, GLenum, const void*);
using MaterialfvProc = void(APIENTRY*)(GLenum, GLenum, const GLfloat*);
using MaterialfProc = void(APIENTRY*)(GLenum, GLenum, GLfloat);
using BindTextureProc = void(APIENTRY*)(GLenum, GLuint);
using InterleavedArraysProc = void(APIENTRY*)(GLenum, GLsizei, const void*);
using PointerProc = void(APIENTRY*)(GLint, GLenum, GLsizei, const void*);
using NormalPointerProc = void(APIENTRY*)(GLenum, GLsizei, const void*);
using CapProc = void(APIENTRY*)(GLenum);

void APIENTRY RecordDrawElements(GLenum, GLsizei, GLenum, const void*);
void APIENTRY RecordMaterialfv(GLenum, GLenum, const GLfloat*);
void APIENTRY RecordMaterialf(GLenum, GLenum, GLfloat);
void APIENTRY RecordBindTexture(GLenum, GLuint);
void APIENTRY RecordInterleavedArrays(GLenum, GLsizei, const void*);
void APIENTRY RecordVertexPointer(GLint, GLenum, GLsizei, const void*);
void APIENTRY RecordNormalPointer(GLenum, GLsizei, const void*);
void APIENTRY RecordTexCoordPointer(GLint, GLenum, GLsizei, const void*);
void APIENTRY RecordEnable(GLenum);
void APIENTRY RecordDisable(GLenum);

template <typename Proc>
void* Address(Proc proc) {
    return reinterpret_cast<void*>(proc);
}

Hook g_hooks[] = {
    {"glDrawElements", Address(RecordDrawElements), nullptr, nullptr},
    {"glMaterialfv", Address(RecordMaterialfv), nullptr, nullptr},
    {"glMaterialf", Address(RecordMaterialf), nullptr, nullptr},
    {"glBindTexture", Address(RecordBindTexture), nullptr, nullptr},
    {"glInterleavedArrays", Address(RecordInterleavedArrays), nullptr, nullptr},
    {"glVertexPointer", Address(RecordVertexPointer), nullptr, nullptr},
    {"glNormalPointer", Address(RecordNormalPointer), nullptr, nullptr},
    {"glTexCoordPointer", Address(RecordTexCoordPointer), nullptr, nullptr},
    {"glEnable", Address(RecordEnable), nullptr, nullptr},
    {"glDisable", Address(RecordDisable), nullptr, nullptr},
};

template <typename Proc>
Proc Original(int hook) {
    return reinterpret_cast<Proc>(g_hooks[hook].original);
}

void APIENTRY RecordDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
    g_calls.push_back(CallText("glDrawElements", {mode, count, type}, indices, true));
    Original<DrawElementsProc>(0)(mode, count, type, indices);
}
void APIENTRY RecordMaterialfv(GLenum face, GLenum name, const GLfloat* values) {
    g_calls.push_back(FloatsCallText("glMaterialfv", face, name, values, 4));
    Original<MaterialfvProc>(1)(face, name, values);
}
void APIENTRY RecordMaterialf(GLenum face, GLenum name, GLfloat value) {
    g_calls.push_back(FloatsCallText("glMaterialf", face, name, &value, 1));
    Original<MaterialfProc>(2)(face, name, value);
}
void APIENTRY RecordBindTexture(GLenum target, GLuint texture) {
    g_calls.push_back(CallText("glBindTexture", {target, texture}));
    Original<BindTextureProc>(3)(target, texture);
}
void APIENTRY RecordInterleavedArrays(GLenum format, GLsizei stride, const void* pointer) {
    g_calls.push_back(CallText("glInterleavedArrays", {format, stride}, pointer, true));
    Original<InterleavedArraysProc>(4)(format, stride, pointer);
}
void APIENTRY RecordVertexPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
    g_calls.push_back(CallText("glVertexPointer", {size, type, stride}, pointer, true));
    Original<PointerProc>(5)(size, type, stride, pointer);
}
void APIENTRY RecordNormalPointer(GLenum type, GLsizei stride, const void* pointer) {
    g_calls.push_back(CallText("glNormalPointer", {type, stride}, pointer, true));
    Original<NormalPointerProc>(6)(type, stride, pointer);
}
void APIENTRY RecordTexCoordPointer(GLint size, GLenum type, GLsizei stride, const void* pointer) {
    g_calls.push_back(CallText("glTexCoordPointer", {size, type, stride}, pointer, true));
    Original<PointerProc>(7)(size, type, stride, pointer);
}
void APIENTRY RecordEnable(GLenum cap) {
    g_calls.push_back(CallText("glEnable", {cap}));
    Original<CapProc>(8)(cap);
}
void APIENTRY RecordDisable(GLenum cap) {
    g_calls.push_back(CallText("glDisable", {cap}));
    Original<CapProc>(9)(cap);
}

// The model's own entry point, passed on to after recording; one driver, one address.
PFNGLBINDBUFFERARBPROC g_bindBuffer = nullptr;
void APIENTRY RecordBindBuffer(GLenum target, GLuint buffer) {
    g_calls.push_back(CallText("glBindBufferARB", {target, buffer}));
    g_bindBuffer(target, buffer);
}

// The executable's import slot that holds function, among its imports from dll.
void** ImportSlot(const char* dll, void* function) {
    auto* base = reinterpret_cast<unsigned char*>(GetModuleHandleA(nullptr));
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return nullptr;
    for (auto* entry = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + entry->Name), dll) != 0) continue;
        for (auto* thunk = reinterpret_cast<IMAGE_THUNK_DATA*>(base + entry->FirstThunk);
             thunk->u1.Function != 0; ++thunk) {
            if (reinterpret_cast<void*>(static_cast<std::uintptr_t>(thunk->u1.Function)) ==
                function)
                return reinterpret_cast<void**>(&thunk->u1.Function);
        }
    }
    return nullptr;
}

void WriteSlot(void** slot, void* value) {
    DWORD previous = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, previous, &previous);
}

}  // namespace

ImportHook::ImportHook(const char* dll, const char* function, void* replacement) {
    HMODULE module = GetModuleHandleA(dll);
    original_ = module != nullptr ? reinterpret_cast<void*>(GetProcAddress(module, function)) : nullptr;
    slot_ = original_ != nullptr ? ImportSlot(dll, original_) : nullptr;
    if (slot_ != nullptr) WriteSlot(slot_, replacement);
}

ImportHook::~ImportHook() {
    if (slot_ != nullptr) WriteSlot(slot_, original_);
}

std::string CallText(const char* function, const std::vector<long long>& integers,
                     const void* pointer, bool has_pointer) {
    std::string text = std::string(function) + "(";
    char buffer[64];
    for (size_t i = 0; i < integers.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%s%lld", i ? ", " : "", integers[i]);
        text += buffer;
    }
    if (has_pointer) {
        std::snprintf(buffer, sizeof buffer, "%s%p", integers.empty() ? "" : ", ", pointer);
        text += buffer;
    }
    return text + ")";
}

std::string FloatsCallText(const char* function, long long face, long long name,
                           const float* values, int count) {
    std::string text = CallText(function, {face, name});
    text.pop_back();
    char buffer[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(buffer, sizeof buffer, "%s%g", i ? " " : ", ", values[i]);
        text += buffer;
    }
    return text + ")";
}

GlRecorder::GlRecorder() {
    g_calls.clear();
    HMODULE opengl = GetModuleHandleA("opengl32.dll");
    ok_ = opengl != nullptr;
    for (Hook& hook : g_hooks) {
        hook.original = opengl != nullptr
            ? reinterpret_cast<void*>(GetProcAddress(opengl, hook.name)) : nullptr;
        hook.slot = hook.original != nullptr ? ImportSlot("opengl32.dll", hook.original) : nullptr;
        if (hook.slot == nullptr) {
            ok_ = false;
            continue;
        }
        WriteSlot(hook.slot, hook.recorder);
    }
}

GlRecorder::~GlRecorder() {
    for (Hook& hook : g_hooks) {
        if (hook.slot != nullptr) WriteSlot(hook.slot, hook.original);
        hook.slot = nullptr;
    }
    for (Model* model : models_) model->glBindBufferARB = g_bindBuffer;
    g_calls.clear();
}

void GlRecorder::record_buffers(Model* model) {
    if (model->glBindBufferARB == nullptr) return;
    if (model->glBindBufferARB != RecordBindBuffer) g_bindBuffer = model->glBindBufferARB;
    model->glBindBufferARB = RecordBindBuffer;
    models_.push_back(model);
}

const std::vector<std::string>& GlRecorder::calls() const { return g_calls; }

