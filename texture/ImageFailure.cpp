// The loaders sit below the driver: they are handed its way out rather than call up to it.
#include "ImageFailure.h"

#include <cstdlib>

namespace {
ImageFailureHandler handler = nullptr;
}

void onImageFailure(ImageFailureHandler h) { handler = h; }

void imageFailed() {
    if (handler != nullptr) handler();
    std::exit(1);
}
