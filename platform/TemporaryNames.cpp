#include "platform/TemporaryNames.h"

#include <QCryptographicHash>
#include <QList>

#include <cerrno>
#include <climits>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr qsizetype kRandomCharacters = 6;
constexpr qsizetype kDigestDigits = 8;

struct SplitPath {
    QByteArray folder; // "." for a bare name
    QByteArray name;
};

SplitPath split(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) {
        return {QByteArray("."), path};
    }
    return {slash == 0 ? QByteArray("/") : path.left(slash), path.mid(slash + 1)};
}

QByteArray joined(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// The leading bytes of `name`, at most `length`, not cutting a UTF-8
// character in two.
QByteArray headOf(const QByteArray& name, qsizetype length) {
    if (length <= 0) {
        return QByteArray();
    }
    if (length >= name.size()) {
        return name;
    }
    while (length > 0 && (uchar(name.at(length)) & 0xC0) == 0x80) {
        --length; // a continuation byte: the character starts earlier
    }
    return name.left(length);
}

QByteArray fullPrefix(const QByteArray& fileName) {
    return '.' + fileName + Temporary_Name_Marker();
}

QByteArray shortPrefix(const QByteArray& fileName, long nameLimit) {
    const QByteArray digest =
        QCryptographicHash::hash(fileName, QCryptographicHash::Sha1).toHex().left(kDigestDigits);
    const qsizetype fixed =
        1 + 1 + kDigestDigits + Temporary_Name_Marker().size() + kRandomCharacters;
    return '.' + headOf(fileName, qsizetype(nameLimit) - fixed) + '~' + digest +
           Temporary_Name_Marker();
}

bool isRandomPart(const char* text) {
    for (qsizetype i = 0; i < kRandomCharacters; ++i) {
        const char c = text[i];
        const bool letterOrDigit =
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (!letterOrDigit) {
            return false;
        }
    }
    return text[kRandomCharacters] == '\0';
}

struct FolderCloser {
    void operator()(DIR* folder) const { ::closedir(folder); }
};

class Descriptor {
public:
    explicit Descriptor(int value) : m_value(value) {}
    ~Descriptor() {
        if (m_value >= 0) {
            ::close(m_value);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_value; }

private:
    int m_value;
};

// Removes the file at `path` when it is a plain file no one holds a lock
// on, and the name still is that file once the lock is taken.
bool removeUnheld(const QByteArray& path) {
    struct stat named {};
    if (::lstat(path.constData(), &named) != 0 || !S_ISREG(named.st_mode)) {
        return false; // never opens anything but a plain file
    }
    constexpr int flags = O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    const Descriptor file(::open(path.constData(), O_RDONLY | flags));
    const Descriptor writable(file.get() < 0 ? ::open(path.constData(), O_WRONLY | flags) : -1);
    const int descriptor = file.get() >= 0 ? file.get() : writable.get();
    if (descriptor < 0 || ::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        return false; // unreadable, or a save is writing it now
    }
    struct stat held {};
    if (::fstat(descriptor, &held) != 0 || !S_ISREG(held.st_mode) ||
        ::lstat(path.constData(), &named) != 0 || named.st_dev != held.st_dev ||
        named.st_ino != held.st_ino) {
        return false; // renamed into place, or the name now another file's
    }
    return ::unlink(path.constData()) == 0;
}

// Every file beside `target` named as a temporary file of its saves, in
// either form, whether a save is writing it now or not.
QList<QByteArray> temporaryFilesOf(const QByteArray& target) {
    const SplitPath parts = split(target);
    const QByteArray prefixes[] = {
        fullPrefix(parts.name),
        shortPrefix(parts.name, Folder_Name_Limit(parts.folder)),
    };
    QList<QByteArray> found;
    const std::unique_ptr<DIR, FolderCloser> folder(::opendir(parts.folder.constData()));
    if (!folder) {
        return found;
    }
    while (const dirent* entry = ::readdir(folder.get())) {
        for (const QByteArray& prefix : prefixes) {
            if (std::strncmp(entry->d_name, prefix.constData(), size_t(prefix.size())) == 0 &&
                isRandomPart(entry->d_name + prefix.size())) {
                found << joined(parts.folder, QByteArray(entry->d_name));
                break;
            }
        }
    }
    return found;
}

} // namespace

QByteArray Temporary_Name_Marker() {
    return QByteArrayLiteral(".cardeditor-save-");
}

long Folder_Name_Limit(const QByteArray& folder) {
    errno = 0;
    const long limit = ::pathconf(folder.isEmpty() ? "." : folder.constData(), _PC_NAME_MAX);
    return limit > 0 ? limit : long(NAME_MAX);
}

QByteArray Temporary_Name_Prefix(const QByteArray& fileName, long nameLimit) {
    const QByteArray whole = fullPrefix(fileName);
    if (whole.size() + kRandomCharacters <= nameLimit) {
        return whole;
    }
    return shortPrefix(fileName, nameLimit);
}

int Remove_Temporary_Leftovers_Of(const QByteArray& target) {
    int removed = 0;
    for (const QByteArray& path : temporaryFilesOf(target)) {
        removed += removeUnheld(path) ? 1 : 0;
    }
    return removed;
}
