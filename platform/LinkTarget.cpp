#include "platform/LinkTarget.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links as the kernel itself follows in one path.
constexpr int kMostLinks = 40;

QByteArray folderOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return QByteArray();
    }
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray readLink(const QByteArray& path, int* error) {
    QByteArray buffer(256, Qt::Uninitialized);
    for (;;) {
        const ssize_t length = ::readlink(path.constData(), buffer.data(), size_t(buffer.size()));
        if (length < 0) {
            *error = errno;
            return QByteArray();
        }
        if (length < buffer.size()) {
            buffer.truncate(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2); // cut short: try a larger buffer
    }
}

} // namespace

QByteArray Final_Link_Target(const QByteArray& path, int* error) {
    *error = 0;
    QByteArray current = path;
    for (int links = 0;; ++links) {
        struct stat status {};
        if (::lstat(current.constData(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            // Missing (a new file, or the end of a dangling link) or not a
            // link: the bytes go here.
            return current;
        }
        if (links == kMostLinks) {
            *error = ELOOP;
            return QByteArray();
        }
        const QByteArray next = readLink(current, error);
        if (*error != 0) {
            return QByteArray();
        }
        if (next.startsWith('/')) {
            current = next;
        } else {
            const QByteArray folder = folderOf(current);
            current = folder.isEmpty() ? next : folder + (folder.endsWith('/') ? "" : "/") + next;
        }
    }
}
