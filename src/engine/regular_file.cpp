// Opening stored files for reading, refusing anything but a regular file.
#include "engine/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

const char* KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) {
        return "a named pipe";
    }
    if (S_ISDIR(mode)) {
        return "a directory";
    }
    if (S_ISCHR(mode)) {
        return "a character device";
    }
    if (S_ISBLK(mode)) {
        return "a block device";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    return "a file of another kind";
}

}  // namespace

std::FILE* OpenRegularFile(const char* path, std::string* why) {
    // Non-blocking, so that a pipe without a writer opens at once and can be looked at.
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *why = std::strerror(errno);
        return nullptr;
    }
    struct stat st {};
    int error = 0;
    std::FILE* file = nullptr;
    if (::fstat(fd, &st) != 0) {
        error = errno;
    } else if (!S_ISREG(st.st_mode)) {
        *why = std::string("not a regular file (") + KindOf(st.st_mode) + ")";
    } else {
        const int flags = ::fcntl(fd, F_GETFL);
        if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
            (file = ::fdopen(fd, "rb")) == nullptr) {
            error = errno;
        }
    }
    if (file == nullptr) {
        ::close(fd);
        if (error != 0) {
            *why = std::strerror(error);
        }
        errno = error;
    }
    return file;
}
