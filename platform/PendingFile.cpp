#include "platform/PendingFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

void setReason(QString* reason, const QString& text) {
    if (reason) {
        *reason = text;
    }
}

QString osReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Writes every byte and flushes them to the disk; 0 or the error number.
int writeAndSync(int descriptor, const QByteArray& bytes) {
    const char* data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, size_t(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data += written;
        left -= written;
    }
    return ::fsync(descriptor) == 0 ? 0 : errno;
}

} // namespace

QString PendingFile::temporaryMarker() {
    return QStringLiteral(".cardeditor-save-");
}

PendingFile::PendingFile(QString target) : m_target(std::move(target)) {}

PendingFile::~PendingFile() {
    cancel();
}

bool PendingFile::write(const QByteArray& bytes, QString* reason,
                        std::optional<QFileDevice::Permissions> permissions) {
    cancel();
    const QFileInfo info(m_target);
    static const QString letters =
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString suffix;
        for (int i = 0; i < 6; ++i) {
            suffix += letters.at(QRandomGenerator::global()->bounded(int(letters.size())));
        }
        const QString path =
            info.dir().filePath(QLatin1Char('.') + info.fileName() + temporaryMarker() + suffix);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered)) {
            if (QFileInfo::exists(path)) {
                continue; // taken: another name
            }
            setReason(reason,
                      QStringLiteral("cannot write %1: %2").arg(m_target, file.errorString()));
            return false;
        }
        m_temporary = path;
        if (permissions) {
            file.setPermissions(*permissions);
        } else if (info.exists()) {
            file.setPermissions(info.permissions()); // as the file it replaces
        }
        const int error = writeAndSync(file.handle(), bytes);
        if (error != 0) {
            setReason(reason, QStringLiteral("cannot write %1: %2").arg(m_target, osReason(error)));
            return false;
        }
        return true;
    }
    setReason(reason, QStringLiteral("cannot write %1: no free temporary name").arg(m_target));
    return false;
}

bool PendingFile::commit(QString* reason) {
    if (m_temporary.isEmpty()) {
        setReason(reason, QStringLiteral("cannot write %1").arg(m_target));
        return false;
    }
    if (std::rename(QFile::encodeName(m_temporary).constData(),
                    QFile::encodeName(m_target).constData()) != 0) {
        setReason(reason, QStringLiteral("cannot write %1: %2").arg(m_target, osReason(errno)));
        return false;
    }
    m_temporary.clear();
    return true;
}

void PendingFile::cancel() {
    if (!m_temporary.isEmpty()) {
        QFile::remove(m_temporary);
        m_temporary.clear();
    }
}

bool Write_File_Whole(const QString& path, const QByteArray& bytes, QString* reason,
                      std::optional<QFileDevice::Permissions> permissions) {
    PendingFile file(path);
    return file.write(bytes, reason, permissions) && file.commit(reason);
}
