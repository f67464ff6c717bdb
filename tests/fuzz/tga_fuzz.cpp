// libFuzzer target for the TGA loader: every input is written to a file and loaded from it.
#include "TGALoader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

static std::string inputPath;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char tmpl[] = "/tmp/tga_fuzz_XXXXXX";
    int fd = mkstemp(tmpl);
    if (fd < 0) abort();
    close(fd);
    inputPath = tmpl;
    // The loader's progress lines would drown the fuzzer's own output.
    if (!freopen("/dev/null", "w", stdout)) abort();
    atexit([] { unlink(inputPath.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FILE* f = fopen(inputPath.c_str(), "wb");
    if (!f) abort();
    if (size && fwrite(data, 1, size, f) != size) abort();
    fclose(f);

    ImageInfo info;
    info.imageData = reinterpret_cast<GLubyte*>(0x1);  // must be cleared on failure
    if (TGA_Load(&info, inputPath.c_str())) {
        size_t n = (size_t)info.width * info.height * (info.bpp / 8);
        if (n == 0 || size < 18 + n) abort();  // success must mean the whole image was there
        volatile GLubyte sink = info.imageData[n - 1];
        (void)sink;
        free(info.imageData);
    } else if (info.imageData != nullptr) {
        abort();
    }
    return 0;
}
