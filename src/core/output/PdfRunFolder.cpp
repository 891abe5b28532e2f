// SPDX-License-Identifier: MIT
#include "output/PdfRunFolder.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QStandardPaths>
#include <QtCore/QSysInfo>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What a signal handler may touch: fixed storage, atomics, and async-signal-safe calls only.
constexpr int SlotCount = 64;
constexpr int PathBytes = 1024;
constexpr int FileCount = 3;   // picture, HTML page, converter output (unlinked)
constexpr int FolderCount = 2; // converter home, run folder (removed when empty)

enum SlotState { Free = 0, Filling = 1, Armed = 2 };

struct Slot {
    std::atomic<int> state{Free};
    std::atomic<pid_t> converter{0};
    char files[FileCount][PathBytes];
    char folders[FolderCount][PathBytes];
};

Slot runSlots[SlotCount];

bool copyPath(char* to, const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    if (bytes.size() >= PathBytes)
        return false;
    std::memcpy(to, bytes.constData(), static_cast<size_t>(bytes.size()) + 1);
    return true;
}

void clearSlot(Slot& slot) {
    for (auto& file : slot.files)
        file[0] = '\0';
    for (auto& folder : slot.folders)
        folder[0] = '\0';
    slot.converter.store(0);
}

void cleanUpSlot(Slot& slot) {
    const pid_t converter = slot.converter.load();
    if (converter > 0) {
        ::kill(converter, SIGKILL);
        ::waitpid(converter, nullptr, 0);
    }
    for (const auto& file : slot.files)
        if (file[0])
            ::unlink(file);
    for (const auto& folder : slot.folders)
        if (folder[0])
            ::rmdir(folder);
}

extern "C" void onTerminatingSignal(int signal) {
    const int savedErrno = errno;
    for (Slot& slot : runSlots)
        if (slot.state.load() == Armed)
            cleanUpSlot(slot);
    errno = savedErrno;
    // End as the signal would have ended the process.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

bool privateFolderOfOurs(const QByteArray& path) {
    struct stat st {};
    return !path.isEmpty() && ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::getuid() && (st.st_mode & 0077) == 0;
}

// A host name as it can stand in a folder name, without the separator "-".
QString hostTag() {
    QString host = QSysInfo::machineHostName();
    for (QChar& c : host)
        if (!(c.isLetterOrNumber() && c.unicode() < 128) && c != QLatin1Char('.'))
            c = QLatin1Char('_');
    return host.isEmpty() ? QStringLiteral("host") : host;
}

QString folderPrefix() {
    return QStringLiteral("pdf-") + hostTag() + QLatin1Char('-');
}

std::once_flag rootDecided;
QString root;

} // namespace

QString PdfRunsRoot() {
    std::call_once(rootDecided, [] {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        QString base;
        if (privateFolderOfOurs(runtime))
            base = QFile::decodeName(runtime);
        else
            base = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
        if (base.isEmpty())
            base = QDir::tempPath();
        root = QDir::cleanPath(base) + QStringLiteral("/lobeview");
    });
    return root;
}

int RemoveAbandonedPdfRunFolders() {
    const QDir folder(PdfRunsRoot());
    if (!folder.exists())
        return 0;
    const QString prefix = folderPrefix();
    int removed = 0;
    const QStringList names =
        folder.entryList({prefix + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : names) {
        // pdf-HOST-PID-XXXXXX
        const QString rest = name.mid(prefix.size());
        const qsizetype dash = rest.indexOf(QLatin1Char('-'));
        bool ok = false;
        const long long pid = rest.left(dash).toLongLong(&ok);
        if (dash <= 0 || !ok || pid <= 0 || pid == ::getpid())
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno != ESRCH)
            continue;
        if (QDir(folder.filePath(name)).removeRecursively())
            ++removed;
    }
    return removed;
}

void InstallPdfRunCleanupOnSignals() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
        struct sigaction action {};
        struct sigaction previous {};
        ::sigaction(signal, nullptr, &previous);
        // A signal the shell told us to ignore (nohup, a background job) stays ignored.
        if (previous.sa_handler == SIG_IGN)
            continue;
        action.sa_handler = onTerminatingSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        ::sigaction(signal, &action, nullptr);
    }
}

PdfRunFolder::PdfRunFolder() {
    const QString base = PdfRunsRoot();
    if (!QDir().mkpath(base)) {
        error_ = QStringLiteral("Cannot create the folder %1").arg(QDir::toNativeSeparators(base));
        return;
    }
    QFile::setPermissions(base, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    dir_.emplace(base + QLatin1Char('/') + folderPrefix() + QString::number(::getpid()) +
                 QStringLiteral("-XXXXXX"));
    if (!dir_->isValid()) {
        error_ = QStringLiteral("Cannot create a folder for the PDF converter in %1: %2")
                     .arg(QDir::toNativeSeparators(base), dir_->errorString());
        dir_.reset();
    }
}

PdfRunFolder::~PdfRunFolder() {
    if (slot_ >= 0) {
        Slot& slot = runSlots[slot_];
        slot.state.store(Filling);
        clearSlot(slot);
        slot.state.store(Free);
    }
    // QTemporaryDir removes the folder and what is left in it.
}

QString PdfRunFolder::path() const {
    return isValid() ? dir_->path() + QLatin1Char('/') : QString();
}

void PdfRunFolder::track(const QString& gif, const QString& html, const QString& pdf,
                         const QString& home) {
    if (!isValid())
        return;
    if (slot_ < 0) {
        for (int i = 0; i < SlotCount; ++i) {
            int expected = Free;
            if (runSlots[i].state.compare_exchange_strong(expected, Filling)) {
                slot_ = i;
                break;
            }
        }
        if (slot_ < 0)
            return; // the next start removes what a signal leaves
    }
    Slot& slot = runSlots[slot_];
    slot.state.store(Filling);
    clearSlot(slot);
    const QString paths[FileCount] = {gif, html, pdf};
    bool fits = true;
    for (int i = 0; i < FileCount; ++i)
        fits = fits && copyPath(slot.files[i], paths[i]);
    fits = fits && copyPath(slot.folders[0], home) && copyPath(slot.folders[1], dir_->path());
    if (!fits) {
        clearSlot(slot);
        slot.state.store(Free);
        slot_ = -1;
        return;
    }
    slot.state.store(Armed);
}

void PdfRunFolder::trackConverter(long long pid) {
    if (slot_ >= 0)
        runSlots[slot_].converter.store(static_cast<pid_t>(pid));
}
