// SPDX-License-Identifier: MIT
#pragma once
// What the bad-input tests need from the system: file access checked as an ordinary user, a tiny
// disk that fills up or is read-only, and a count of the bytes the process has read.
#include <QtCore/QString>

namespace hardening {

bool runningAsRoot();

// For its lifetime, this thread's file access is checked as the user "nobody" when the test runs
// as root (the file system user id), so that permission bits count as they do for a user. For any
// other user it changes nothing.
class UnprivilegedFiles {
public:
    UnprivilegedFiles();
    ~UnprivilegedFiles();
    UnprivilegedFiles(const UnprivilegedFiles&) = delete;
    UnprivilegedFiles& operator=(const UnprivilegedFiles&) = delete;
    // Empty when access is checked as an ordinary user; else the reason it cannot be.
    QString unavailableReason() const { return reason_; }

private:
    bool switched_ = false;
    QString reason_;
};

// A tmpfs of a few kilobytes mounted on a folder, in a mount namespace private to this test
// process, so the rest of the machine never sees it. Needs root (CAP_SYS_ADMIN).
class SmallDisk {
public:
    SmallDisk(const QString& mountPoint, int kibibytes);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    // Empty when the disk is mounted; else the reason it is not.
    QString unavailableReason() const { return reason_; }
    // Takes every free block with a filler file.
    void fill() const;
    // Remounts the disk read-only.
    bool makeReadOnly() const;

private:
    QString mountPoint_;
    bool mounted_ = false;
    QString reason_;
};

// A folder bound read-only onto itself in the private mount namespace, for its lifetime. Needs
// root; without it the folder's write bits are what the test can take away.
class ReadOnlyBind {
public:
    explicit ReadOnlyBind(const QString& folder);
    ~ReadOnlyBind();
    ReadOnlyBind(const ReadOnlyBind&) = delete;
    ReadOnlyBind& operator=(const ReadOnlyBind&) = delete;
    QString unavailableReason() const { return reason_; }

private:
    QString folder_;
    bool bound_ = false;
    QString reason_;
};

// Bytes this process has read through read() and friends so far (rchar of /proc/self/io).
qint64 bytesReadSoFar();

// The names in a folder, to see that a failed write left nothing behind.
QStringList filesIn(const QString& folder);

} // namespace hardening
