// SPDX-License-Identifier: MIT
#include "HardeningSupport.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/fsuid.h>
#include <sys/mount.h>
#include <unistd.h>

namespace hardening {

namespace {

constexpr uid_t Nobody = 65534;

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what),
                                        QString::fromLocal8Bit(strerror(errno)));
}

// Once per process: a mount namespace of its own whose mounts do not propagate back.
QString privateMountNamespace() {
    static const QString reason = [] {
        if (::unshare(CLONE_NEWNS) != 0)
            return systemError("unshare(CLONE_NEWNS)");
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
            return systemError("making / private");
        return QString();
    }();
    return reason;
}

} // namespace

bool runningAsRoot() {
    return ::geteuid() == 0;
}

UnprivilegedFiles::UnprivilegedFiles() {
    if (!runningAsRoot())
        return;
    ::setfsuid(Nobody);
    ::setfsgid(Nobody);
    if (static_cast<uid_t>(::setfsuid(static_cast<uid_t>(-1))) != Nobody) {
        reason_ = QStringLiteral("running as root and the file system user id cannot be changed");
        return;
    }
    switched_ = true;
}

UnprivilegedFiles::~UnprivilegedFiles() {
    if (switched_) {
        ::setfsuid(0);
        ::setfsgid(0);
    }
}

SmallDisk::SmallDisk(const QString& mountPoint, int kibibytes) : mountPoint_(mountPoint) {
    if (!runningAsRoot()) {
        reason_ = QStringLiteral("mounting a small disk needs root");
        return;
    }
    reason_ = privateMountNamespace();
    if (!reason_.isEmpty())
        return;
    QDir().mkpath(mountPoint);
    const QByteArray options = "size=" + QByteArray::number(kibibytes) + "k,mode=0755";
    if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0,
                options.constData()) != 0) {
        reason_ = systemError("mount -t tmpfs");
        return;
    }
    mounted_ = true;
}

SmallDisk::~SmallDisk() {
    if (mounted_)
        ::umount2(QFile::encodeName(mountPoint_).constData(), MNT_DETACH);
}

void SmallDisk::fill() const {
    const QByteArray path = QFile::encodeName(mountPoint_ + QStringLiteral("/filler"));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    const QByteArray block(4096, 'x');
    for (qsizetype size = block.size(); size > 0; size /= 2)
        while (::write(fd, block.constData(), size_t(size)) == size)
            ;
    ::close(fd);
}

bool SmallDisk::makeReadOnly() const {
    return ::mount(nullptr, QFile::encodeName(mountPoint_).constData(), nullptr,
                   MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

ReadOnlyBind::ReadOnlyBind(const QString& folder) : folder_(folder) {
    if (!runningAsRoot()) {
        reason_ = QStringLiteral("binding a folder read-only needs root");
        return;
    }
    reason_ = privateMountNamespace();
    if (!reason_.isEmpty())
        return;
    const QByteArray path = QFile::encodeName(folder);
    if (::mount(path.constData(), path.constData(), nullptr, MS_BIND | MS_REC, nullptr) != 0) {
        reason_ = systemError("mount --bind");
        return;
    }
    bound_ = true;
    if (::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr) != 0)
        reason_ = systemError("remounting the bind read-only");
}

ReadOnlyBind::~ReadOnlyBind() {
    if (bound_)
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

qint64 bytesReadSoFar() {
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : io.readAll().split('\n'))
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    return -1;
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace hardening
