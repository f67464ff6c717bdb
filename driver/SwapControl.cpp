// Three GLX extensions control swaps (EXT, MESA, SGI), each with its own entry point; the first
// the driver names is used. The refresh rate comes from the OML sync-control extension.
#include "SwapControl.h"

#include <GL/glx.h>
#include <GL/glxext.h>

#include <cmath>
#include <cstring>

namespace {
// Whole names only: GLX_EXT_swap_control must not match GLX_EXT_swap_control_tear.
bool namesExtension(const char* list, const char* name) {
    const size_t length = std::strlen(name);
    for (const char* at = list; at != nullptr && (at = std::strstr(at, name)) != nullptr;
         at += length) {
        const bool starts = at == list || at[-1] == ' ';
        const bool ends = at[length] == ' ' || at[length] == '\0';
        if (starts && ends) return true;
    }
    return false;
}

template <typename Function> Function entryPoint(const char* name) {
    return (Function)glXGetProcAddress((const GLubyte*)name);
}

struct CurrentWindow {
    Display* display = glXGetCurrentDisplay();
    GLXDrawable drawable = glXGetCurrentDrawable();
    const char* extensions =
        display ? glXQueryExtensionsString(display, DefaultScreen(display)) : nullptr;
    bool offers(const char* name) const { return drawable != 0 && namesExtension(extensions, name); }
};
}  // namespace

bool setSwapInterval(int interval) {
    const CurrentWindow w;
    if (w.offers("GLX_EXT_swap_control")) {
        auto swapInterval = entryPoint<PFNGLXSWAPINTERVALEXTPROC>("glXSwapIntervalEXT");
        if (swapInterval != nullptr) {
            swapInterval(w.display, w.drawable, interval);
            return true;
        }
    }
    if (w.offers("GLX_MESA_swap_control")) {
        auto swapInterval = entryPoint<PFNGLXSWAPINTERVALMESAPROC>("glXSwapIntervalMESA");
        if (swapInterval != nullptr) return swapInterval((unsigned)interval) == 0;
    }
    // The SGI extension cannot turn waiting off: an interval of 0 is an error there.
    if (interval > 0 && w.offers("GLX_SGI_swap_control")) {
        auto swapInterval = entryPoint<PFNGLXSWAPINTERVALSGIPROC>("glXSwapIntervalSGI");
        if (swapInterval != nullptr) return swapInterval(interval) == 0;
    }
    return false;
}

int displayRefreshRate() {
    const CurrentWindow w;
    if (!w.offers("GLX_OML_sync_control")) return 0;
    auto mscRate = entryPoint<PFNGLXGETMSCRATEOMLPROC>("glXGetMscRateOML");
    int32_t numerator = 0, denominator = 0;
    if (mscRate == nullptr || !mscRate(w.display, w.drawable, &numerator, &denominator)) return 0;
    if (numerator <= 0 || denominator <= 0) return 0;
    const double rate = (double)numerator / denominator;
    return rate >= 1.0 && rate <= 1000.0 ? (int)std::lround(rate) : 0;  // else not believable
}
