// modelview: draws a GXU model file as the screen saver draws its model, and saves the picture.
//   modelview MODEL.gxu OUT.bmp [--size WxH] [--sway SECONDS] [--texture NAME=FILE.jpg]...
// The model is read through the program's own parser under the name "output.gxu" and drawn in a
// window of the program's pixel format with its resting GL state, under the 40-degree
// perspective, the camera and the sway of the given time (0 by default), lit by "light1.gxl"
// applied under identity matrices: a mid-grey backdrop, the stencil silhouette, then the model.
// Each --texture makes the named material texture from a JPEG file beforehand. Exits 0 when the
// picture was saved, 1 when something failed (with the reason), 2 for a wrong command line.
#include <windows.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/camera.h"
#include "assets/gxu_format.h"
#include "assets/light.h"
#include "assets/model.h"
#include "assets/texture.h"
#include "gl/context.h"
#include "jpegdec/file_bytes.h"

namespace {

const char kModelName[] = "output.gxu";
const char kLightName[] = "light1.gxl";

struct Options {
    const char* model = nullptr;
    const char* picture = nullptr;
    int width = 800;
    int height = 600;
    float sway = 0.0f;
    std::vector<std::string> textures;  // NAME=FILE
};

int Usage() {
    std::fprintf(stderr, "usage: modelview MODEL.gxu OUT.bmp [--size WxH] [--sway SECONDS] "
                         "[--texture NAME=FILE.jpg]...\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, Options* options) {
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--size" && has_value) {
            if (std::sscanf(argv[++i], "%dx%d", &options->width, &options->height) != 2 ||
                options->width < 16 || options->height < 16 || options->width > 4096 ||
                options->height > 4096)
                return false;
        } else if (arg == "--sway" && has_value) {
            options->sway = static_cast<float>(std::atof(argv[++i]));
        } else if (arg == "--texture" && has_value) {
            options->textures.push_back(argv[++i]);
        } else if (arg.rfind("--", 0) != 0 && positional < 2) {
            (positional++ == 0 ? options->model : options->picture) = argv[i];
        } else {
            return false;
        }
    }
    return positional == 2;
}

// The named texture from a JPEG file, made as the program makes its pictures.
bool MakeJpegTexture(Texture* textures, const std::string& spec) {
    const size_t equals = spec.find('=');
    if (equals == std::string::npos || equals == 0) return false;
    const std::string name = spec.substr(0, equals);
    std::vector<unsigned char> bytes;
    if (!read_file_bytes(spec.substr(equals + 1).c_str(), &bytes)) return false;
    return textures->create_from_jpeg(name.c_str(), bytes.data(), bytes.size()) != 0;
}

// A 24-bit bottom-up BMP from R, G, B, A pixels read bottom row first.
bool WriteBmp(const char* path, const std::vector<unsigned char>& rgba, int width, int height) {
    const int stride = (3 * width + 3) & ~3;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride) * height;
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::FILE* out = std::fopen(path, "wb");
    if (out == nullptr) return false;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&info, sizeof info, 1, out);
    std::vector<unsigned char> row(stride, 0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
            row[3 * x] = p[2];
            row[3 * x + 1] = p[1];
            row[3 * x + 2] = p[0];
        }
        std::fwrite(row.data(), 1, row.size(), out);
    }
    return std::fclose(out) == 0;
}

HWND MakeWindow(int width, int height) {
    WNDCLASSA wc = {};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VelothModelView";
    RegisterClassA(&wc);
    return CreateWindowExA(0, wc.lpszClassName, "modelview", WS_POPUP | WS_VISIBLE, 0, 0, width,
                           height, nullptr, nullptr, wc.hInstance, nullptr);
}

// One frame's 3D part, in the frame's order, over a mid-grey backdrop.
void DrawFrame(Model* models, int width, int height, float time) {
    glClearColor(0.5f, 0.5f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    gmSetPerspective(40.0, static_cast<double>(width) / height, 0.5, 100.0, 0, 0, 0, 0, 1);
    float sway[16];
    gmSetSway(time, sway);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    gmSetCamera();
    glMultMatrixf(sway);
    glPushMatrix();
    models->draw_shadow(kModelName, kLightName, 0);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    models->draw(kModelName, 0);
}

int Fail(const char* what, const char* detail) {
    std::fprintf(stderr, "modelview: %s%s%s\n", what, detail[0] ? ": " : "", detail);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, &options)) return Usage();
    std::vector<unsigned char> bytes;
    if (!read_file_bytes(options.model, &bytes)) return Fail(options.model, "cannot read the file");
    {
        GxuData parsed;
        const GxuStatus status = ParseGxu(bytes.data(), bytes.size(), &parsed);
        if (status != GxuStatus::Ok) return Fail(options.model, GxuStatusText(status));
    }

    app.runMode = RunMode::Saver;
    app.instance = GetModuleHandleA(nullptr);
    app.screenWidth = options.width;
    app.screenHeight = options.height;
    app.mainWindow = MakeWindow(options.width, options.height);
    if (app.mainWindow == nullptr) return Fail("CreateWindowExA failed", "");
    app.windowDC = GetDC(app.mainWindow);
    if (!gmInitOpenGL()) return Fail(app.errorLog.text(), "");
    gmInitGLState();

    Texture textures;
    for (const std::string& spec : options.textures)
        if (!MakeJpegTexture(&textures, spec)) return Fail("cannot make the texture", spec.c_str());
    Light lights(1);
    gmSetLightDefaults();
    lights.add(kLightName, lightDesc);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    lights.apply(kLightName, -1);
    Model models(1, &textures, &lights);
    const Model* model =
        models.create_from_memory(kModelName, bytes.data(), bytes.size()) ? models.find(kModelName)
                                                                           : nullptr;
    if (model == nullptr) return Fail(options.model, "cannot load the model");
    std::printf("modelview: %s with %s\n", options.model,
                model->has_vbo ? "buffer objects" : "client arrays");

    DrawFrame(&models, options.width, options.height, options.sway);
    std::vector<unsigned char> rgba(static_cast<size_t>(options.width) * options.height * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, options.width, options.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    SwapBuffers(app.windowDC);
    const bool saved = WriteBmp(options.picture, rgba, options.width, options.height);
    gmCloseOpenGL();
    DestroyWindow(app.mainWindow);
    if (!saved) return Fail(options.picture, "cannot write the picture");
    return 0;
}
