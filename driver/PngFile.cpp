// PNG output through libpng. Its errors come back by longjmp into encode(), so nothing there
// owns C++ objects across the calls that may jump; its messages go through our handlers only.
#include "PngFile.h"

#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>

namespace {
struct Sink {
    FILE* file;
    int writeErrno;      // errno of the write that failed; 0 when none did
    char message[128];   // libpng's own reason, when it stopped for another one
};

void onError(png_structp png, png_const_charp message) {
    Sink* sink = static_cast<Sink*>(png_get_error_ptr(png));
    std::snprintf(sink->message, sizeof sink->message, "%s", message);
    png_longjmp(png, 1);
}

// Warnings concern optional details of the file; the picture is written all the same.
void onWarning(png_structp, png_const_charp) {}

void onWrite(png_structp png, png_bytep data, png_size_t length) {
    Sink* sink = static_cast<Sink*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, sink->file) == length) return;
    sink->writeErrno = errno;
    png_error(png, "write failed");
}

// The final flush is checked when the file is closed.
void onFlush(png_structp) {}

bool encode(Sink& sink, int width, int height, const unsigned char* rgb) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, onError, onWarning);
    if (png == nullptr) return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &sink, onWrite, onFlush);
    // Recording writes a picture every frame: the fastest level costs a few more bytes.
    png_set_compression_level(png, 1);
    png_set_IHDR(png, info, (png_uint_32)width, (png_uint_32)height, 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; y++)
        png_write_row(png, const_cast<png_bytep>(rgb + (size_t)y * width * 3));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Writes the picture and closes the file, whatever happens; `sync` waits for the disk too.
bool writeAndClose(FILE* file, bool sync, int width, int height, const unsigned char* rgb,
                   std::string& error) {
    Sink sink{file, 0, "out of memory"};
    bool ok = encode(sink, width, height, rgb);
    if (!ok) error = sink.writeErrno != 0 ? std::strerror(sink.writeErrno) : sink.message;
    if (ok && (std::fflush(file) != 0 || (sync && fsync(fileno(file)) != 0))) {
        error = std::strerror(errno);
        ok = false;
    }
    if (std::fclose(file) != 0 && ok) {
        error = std::strerror(errno);
        ok = false;
    }
    return ok;
}

bool validPicture(int width, int height, const unsigned char* rgb, std::string& error) {
    if (width > 0 && height > 0 && rgb != nullptr) return true;
    error = "no picture to write";
    return false;
}

// What `path` names must be a plain file or nothing; a link counts as what it leads to.
bool replaceableTarget(const std::string& path, std::string& error) {
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return true;
        error = std::strerror(errno);
        return false;
    }
    if (S_ISREG(st.st_mode)) return true;
    error = S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) ? "is a device, not a file"
            : S_ISFIFO(st.st_mode)                     ? "is a FIFO, not a file"
            : S_ISDIR(st.st_mode)                      ? "is a directory, not a file"
            : S_ISSOCK(st.st_mode)                     ? "is a socket, not a file"
                                                       : "is not a file";
    return false;
}

// A new empty file ".NAME.XXXXXX" in the target's folder, with the permissions a new file
// would get there, or -1 with the cause in `error`.
int createTemporary(const std::string& path, std::string& temporary, std::string& error) {
    const std::string::size_type slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    temporary = folder + "." + name + ".XXXXXX";
    const int fd = mkstemp(&temporary[0]);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    return fd;
}

FILE* openStream(int fd, std::string& error) {
    FILE* file = fdopen(fd, "wb");
    if (file != nullptr) return file;
    error = std::strerror(errno);
    close(fd);
    return nullptr;
}
}  // namespace

bool writePng(const std::string& path, int width, int height, const unsigned char* rgb,
              std::string& error) {
    if (!validPicture(width, height, rgb, error) || !replaceableTarget(path, error)) return false;
    std::string temporary;
    const int fd = createTemporary(path, temporary, error);
    if (fd < 0) return false;
    FILE* file = openStream(fd, error);
    bool ok = file != nullptr && writeAndClose(file, true, width, height, rgb, error);
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::strerror(errno);
        ok = false;
    }
    if (!ok) unlink(temporary.c_str());
    return ok;
}

bool canWritePng(const std::string& path, std::string& error) {
    if (!replaceableTarget(path, error)) return false;
    std::string temporary;
    const int fd = createTemporary(path, temporary, error);
    if (fd < 0) return false;
    close(fd);
    unlink(temporary.c_str());
    return true;
}

NewPngResult writeNewPng(const std::string& path, int width, int height,
                         const unsigned char* rgb, std::string& error) {
    if (!validPicture(width, height, rgb, error)) return NEW_PNG_FAILED;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int cause = errno;
        error = std::strerror(cause);
        return cause == EEXIST || cause == ELOOP ? NEW_PNG_NAME_TAKEN : NEW_PNG_FAILED;
    }
    FILE* file = openStream(fd, error);
    // A new file replaces nothing, so a crash can cost no older data: no need to wait for the disk.
    const bool ok = file != nullptr && writeAndClose(file, false, width, height, rgb, error);
    if (ok) return NEW_PNG_WRITTEN;
    unlink(path.c_str());
    return NEW_PNG_FAILED;
}
