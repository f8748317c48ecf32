#include "common/core/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

RegularFile::RegularFile(const std::string& path) {
    // O_NONBLOCK lets the open of a pipe without a writer return at once;
    // O_NOCTTY keeps a terminal from becoming the program's own.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        m_error = errno;
        return;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        m_error = errno;
        ::close(fd);
        return;
    }
    if (!S_ISREG(st.st_mode)) {
        m_error = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        return;
    }
    // A regular file never blocks, but reads should not see EAGAIN either.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    m_fd = fd;
    m_size = static_cast<std::uint64_t>(st.st_size);
}

RegularFile::~RegularFile() {
    if (m_fd >= 0)
        ::close(m_fd);
}

std::optional<std::string> RegularFile::ReadAll(std::uint64_t maxBytes) {
    if (m_fd < 0 || m_size > maxBytes)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(m_size));
    constexpr std::size_t kChunk = 65536;
    char buffer[kChunk];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        // The file may grow while it is read: the bound holds for what is
        // read, not only for the size found at the open.
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes)
            return std::nullopt;
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

bool CanReadRegularFile(const std::string& path) {
    const RegularFile file(path);
    return file.IsOpen() && file.Size() <= kMaxReadableFileSize;
}
