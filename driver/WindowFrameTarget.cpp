// A GLX pixel buffer of the window's own configuration: same formats, same context, so the
// window only ever receives copies of frames drawn here, seen or not.
#include "FrameTarget.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/glx.h>
#include <GL/glext.h>

namespace {
class WindowFrameTarget : public FrameTarget {
public:
    WindowFrameTarget(Display* display, GLXContext context, GLXDrawable window, GLXFBConfig config)
        : display(display), context(context), window(window), config(config) {}
    ~WindowFrameTarget() override {
        if (buffer != 0) glXDestroyPbuffer(display, buffer);
    }

    bool resize(int width, int height, std::string& error) override {
        if (buffer != 0 && width == bufferWidth && height == bufferHeight) {
            select();
            return true;
        }
        const int attributes[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height,
                                  GLX_PRESERVED_CONTENTS, True, None};
        const GLXPbuffer made = glXCreatePbuffer(display, config, attributes);
        if (made == 0) {
            error = "GLX cannot make an off-screen buffer of " + std::to_string(width) + "x" +
                    std::to_string(height) + " pixels";
            return false;
        }
        const GLXPbuffer old = buffer;
        buffer = made;
        bufferWidth = width;
        bufferHeight = height;
        select();
        if (old != 0) glXDestroyPbuffer(display, old);
        return true;
    }

    void select() override { glXMakeContextCurrent(display, buffer, buffer, context); }

    // Read from the buffer, drawn into the window's back buffer, then swapped.
    void show() override {
        glXMakeContextCurrent(display, window, buffer, context);
        glBlitFramebuffer(0, 0, bufferWidth, bufferHeight, 0, 0, bufferWidth, bufferHeight,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glXSwapBuffers(display, window);
        select();
    }

private:
    Display* display;
    GLXContext context;
    GLXDrawable window;
    GLXFBConfig config;
    GLXPbuffer buffer = 0;
};
}  // namespace

FrameTarget* makeWindowFrameTarget(std::string& error) {
    Display* display = glXGetCurrentDisplay();
    const GLXContext context = glXGetCurrentContext();
    const GLXDrawable window = glXGetCurrentDrawable();
    int id = 0, count = 0;
    if (display == nullptr || context == nullptr ||
        glXQueryContext(display, context, GLX_FBCONFIG_ID, &id) != Success) {
        error = "GLX cannot tell the window's frame buffer configuration";
        return nullptr;
    }
    const int wanted[] = {GLX_FBCONFIG_ID, id, None};
    GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), wanted, &count);
    int drawables = 0;
    if (configs != nullptr && count > 0)
        glXGetFBConfigAttrib(display, configs[0], GLX_DRAWABLE_TYPE, &drawables);
    const GLXFBConfig config = count > 0 ? configs[0] : nullptr;
    if (configs != nullptr) XFree(configs);
    if (config == nullptr || (drawables & GLX_PBUFFER_BIT) == 0) {
        error = "the window's frame buffer configuration offers no off-screen buffers";
        return nullptr;
    }
    return new WindowFrameTarget(display, context, window, config);
}
