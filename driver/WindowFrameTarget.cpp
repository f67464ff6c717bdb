// A GLX pixel buffer of the window's own configuration: same formats, same context, so the
// window only ever receives copies of frames drawn here, seen or not. A frame is shown by
// putting its pixels into the window through X, as a software swap would: making the window
// current to copy it with GL would cost more than drawing the frame.
#include "FrameTarget.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/glx.h>
#include <GL/glext.h>
#include <X11/Xutil.h>

#include <cstring>
#include <vector>

namespace {
class WindowFrameTarget : public FrameTarget {
public:
    WindowFrameTarget(Display* display, GLXContext context, GLXDrawable window, GLXFBConfig config)
        : display(display), context(context), window(window), config(config) {
        XWindowAttributes attributes;
        // Pixels read as BGRA are the window's own only in 24-bit true colour with 8-bit
        // channels red highest; other windows get the frame copied with GL instead.
        if (XGetWindowAttributes(display, window, &attributes) && attributes.depth == 24 &&
            attributes.visual->red_mask == 0xff0000 && attributes.visual->green_mask == 0xff00 &&
            attributes.visual->blue_mask == 0xff) {
            visual = attributes.visual;
            gc = XCreateGC(display, window, 0, nullptr);
        }
    }
    ~WindowFrameTarget() override {
        if (buffer != 0) glXDestroyPbuffer(display, buffer);
        if (gc != nullptr) XFreeGC(display, gc);
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

    // Making a drawable current costs a revalidation of its buffers: only when it is not.
    void select() override {
        if (glXGetCurrentDrawable() != buffer || glXGetCurrentReadDrawable() != buffer)
            glXMakeContextCurrent(display, buffer, buffer, context);
    }

    void show() override {
        if (gc != nullptr) putIntoWindow();
        else copyIntoWindow();
    }

private:
    // Read as X lays out 24-bit pixels, the rows turned top first, and put into the window.
    void putIntoWindow() {
        const size_t row = (size_t)bufferWidth * 4;
        pixels.resize(row * bufferHeight);
        flipped.resize(pixels.size());
        GLint alignment = 4;
        glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_PACK_ALIGNMENT, 4);
        glReadPixels(0, 0, bufferWidth, bufferHeight, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                     pixels.data());
        glPixelStorei(GL_PACK_ALIGNMENT, alignment);
        for (int y = 0; y < bufferHeight; y++)
            std::memcpy(&flipped[row * y], &pixels[row * (bufferHeight - 1 - y)], row);
        XImage* image = XCreateImage(display, visual, 24, ZPixmap, 0, (char*)flipped.data(),
                                     bufferWidth, bufferHeight, 32, (int)row);
        if (image == nullptr) return;
        XPutImage(display, window, gc, image, 0, 0, 0, 0, bufferWidth, bufferHeight);
        image->data = nullptr;  // the pixels stay ours
        XDestroyImage(image);
        XSync(display, False);  // one frame in flight, as a swap would allow
    }

    // Read from the buffer, drawn into the window's back buffer, then swapped.
    void copyIntoWindow() {
        glXMakeContextCurrent(display, window, buffer, context);
        glBlitFramebuffer(0, 0, bufferWidth, bufferHeight, 0, 0, bufferWidth, bufferHeight,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glXSwapBuffers(display, window);
        select();
    }

    Display* display;
    GLXContext context;
    GLXDrawable window;
    GLXFBConfig config;
    GLXPbuffer buffer = 0;
    Visual* visual = nullptr;
    GC gc = nullptr;
    std::vector<unsigned char> pixels, flipped;  // kept: a steady frame allocates nothing
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
