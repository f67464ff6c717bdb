// EGL is opened with dlopen rather than linked: a machine without it still runs every windowed
// session, and a headless run there says what is missing instead of failing to start.
#include "FrameTarget.h"

#include <EGL/egl.h>
#include <GL/gl.h>
#include <EGL/eglext.h>
#include <dlfcn.h>

#include <cstring>

namespace {
struct Egl {
    PFNEGLGETPROCADDRESSPROC getProcAddress = nullptr;
    PFNEGLINITIALIZEPROC initialize = nullptr;
    PFNEGLQUERYSTRINGPROC queryString = nullptr;
    PFNEGLCHOOSECONFIGPROC chooseConfig = nullptr;
    PFNEGLGETCONFIGATTRIBPROC configAttribute = nullptr;
    PFNEGLBINDAPIPROC bindApi = nullptr;
    PFNEGLCREATECONTEXTPROC createContext = nullptr;
    PFNEGLCREATEPBUFFERSURFACEPROC createPbuffer = nullptr;
    PFNEGLDESTROYSURFACEPROC destroySurface = nullptr;
    PFNEGLMAKECURRENTPROC makeCurrent = nullptr;

    bool load(void* library) {
        return find(library, "eglGetProcAddress", getProcAddress) &&
               find(library, "eglInitialize", initialize) &&
               find(library, "eglQueryString", queryString) &&
               find(library, "eglChooseConfig", chooseConfig) &&
               find(library, "eglGetConfigAttrib", configAttribute) &&
               find(library, "eglBindAPI", bindApi) &&
               find(library, "eglCreateContext", createContext) &&
               find(library, "eglCreatePbufferSurface", createPbuffer) &&
               find(library, "eglDestroySurface", destroySurface) &&
               find(library, "eglMakeCurrent", makeCurrent);
    }
    template <typename Function> static bool find(void* library, const char* name, Function& out) {
        out = (Function)dlsym(library, name);
        return out != nullptr;
    }
};

bool namesExtension(const char* list, const char* name) {
    const size_t length = std::strlen(name);
    for (const char* at = list; at != nullptr && (at = std::strstr(at, name)) != nullptr;
         at += length)
        if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    return false;
}

// 8 bits a colour exactly and no alpha, as the window's: EGL lists deeper formats first.
EGLConfig windowLikeConfig(const Egl& egl, EGLDisplay display) {
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                             EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                             EGL_ALPHA_SIZE, 0, EGL_DEPTH_SIZE, 32, EGL_NONE};
    EGLConfig configs[64];
    EGLint count = 0;
    if (!egl.chooseConfig(display, wanted, configs, 64, &count)) return nullptr;
    for (EGLint i = 0; i < count; i++) {
        EGLint red = 0, alpha = 0;
        egl.configAttribute(display, configs[i], EGL_RED_SIZE, &red);
        egl.configAttribute(display, configs[i], EGL_ALPHA_SIZE, &alpha);
        if (red == 8 && alpha == 0) return configs[i];
    }
    return nullptr;
}

class HeadlessFrameTarget : public FrameTarget {
public:
    HeadlessFrameTarget(const Egl& egl, EGLDisplay display, EGLConfig config, EGLContext context)
        : egl(egl), display(display), config(config), context(context) {}

    // A pixel buffer's size is fixed: a new size is a new buffer.
    bool resize(int width, int height, std::string& error) override {
        if (surface != EGL_NO_SURFACE && width == bufferWidth && height == bufferHeight) {
            select();
            return true;
        }
        const EGLint attributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
        const EGLSurface made = egl.createPbuffer(display, config, attributes);
        if (made == EGL_NO_SURFACE) {
            error = "EGL cannot make an off-screen buffer of " + std::to_string(width) + "x" +
                    std::to_string(height) + " pixels";
            return false;
        }
        const EGLSurface old = surface;
        surface = made;
        bufferWidth = width;
        bufferHeight = height;
        select();
        if (old != EGL_NO_SURFACE) egl.destroySurface(display, old);
        return true;
    }
    void select() override { egl.makeCurrent(display, surface, surface, context); }
    // Shown nowhere: the frame's work is only sent on its way, as a swap would send it.
    void show() override { glFlush(); }

private:
    Egl egl;
    EGLDisplay display;
    EGLConfig config;
    EGLContext context;
    EGLSurface surface = EGL_NO_SURFACE;
};
}  // namespace

FrameTarget* makeHeadlessFrameTarget(std::string& error) {
    void* library = dlopen("libEGL.so.1", RTLD_NOW | RTLD_LOCAL);
    Egl egl;
    if (library == nullptr) {
        error = "EGL is not installed (" + std::string(dlerror()) + ")";
        return nullptr;
    }
    if (!egl.load(library)) {
        error = "libEGL.so.1 lacks EGL 1.4's functions";
        return nullptr;
    }
    auto platformDisplay = (PFNEGLGETPLATFORMDISPLAYEXTPROC)egl.getProcAddress(
        "eglGetPlatformDisplayEXT");
    if (!namesExtension(egl.queryString(EGL_NO_DISPLAY, EGL_EXTENSIONS),
                        "EGL_MESA_platform_surfaceless") || platformDisplay == nullptr) {
        error = "EGL offers no surfaceless platform (EGL_MESA_platform_surfaceless)";
        return nullptr;
    }
    EGLDisplay display = platformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY,
                                         nullptr);
    EGLint major = 0, minor = 0;
    if (display == EGL_NO_DISPLAY || !egl.initialize(display, &major, &minor)) {
        error = "EGL's surfaceless platform cannot be opened";
        return nullptr;
    }
    const EGLConfig config = windowLikeConfig(egl, display);
    if (config == nullptr) {
        error = "EGL offers no off-screen buffer of 8 bits a colour with desktop GL";
        return nullptr;
    }
    EGLContext context = EGL_NO_CONTEXT;
    if (egl.bindApi(EGL_OPENGL_API))
        context = egl.createContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) {
        error = "EGL offers no desktop OpenGL context here";
        return nullptr;
    }
    return new HeadlessFrameTarget(egl, display, config, context);
}
