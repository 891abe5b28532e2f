// SPDX-License-Identifier: MIT
// Fuzz target: reading a damaged index file (FileIndx.dat) as the selection window, the index
// display and the dump do: open, check, scan every list, look models and names up, show every
// record as table cells and write the comma text.
//
// The input is the whole index file, held in an anonymous memory file so that the reader maps it
// as it maps a real one. Checks: the reader yields exactly the whole records of the file.
#include "FuzzSupport.h"
#include "FuzzTargets.h"
#include "catalogue/CatalogueLists.h"
#include "catalogue/IndexDump.h"
#include "catalogue/IndexFile.h"

#include <QtCore/QString>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The memory file, created once and rewritten for every input.
int memoryFile() {
    static const int fd = ::memfd_create("FileIndx.dat", MFD_CLOEXEC);
    return fd;
}

bool fill(int fd, const std::uint8_t* data, std::size_t size) {
    if (::ftruncate(fd, 0) != 0 || ::lseek(fd, 0, SEEK_SET) != 0)
        return false;
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

} // namespace

int FuzzIndexFile(const std::uint8_t* data, std::size_t size) {
    const int fd = memoryFile();
    if (fd < 0 || !fill(fd, data, size))
        return 0;
    const QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);

    IndexFile index;
    if (!index.open(path))
        fuzz::fail("the memory file cannot be opened");
    (void)index.holdsRecords();

    const auto whole = qint64(size) / IndexRecord::RecordSize;
    if (index.recordCount() != whole)
        fuzz::fail("record count is not the number of whole records");
    QList<QStringList> rows{IndexColumnHeadings()};
    IndexRecord r;
    qint64 read = 0;
    index.rewind();
    while (index.readNext(r)) {
        ++read;
        rows << IndexRowCells(r);
        (void)r.lengthsWithinCapacity();
        for (IndexField f : IndexRecord::TextFields)
            if (r.text(f).size() > IndexRecord::layout(f).capacity)
                fuzz::fail("a text longer than its field");
    }
    if (read != whole)
        fuzz::fail("the scan does not yield every whole record");
    (void)IndexDumpText(rows);

    const CatalogueLists lists = ScanAllLists(index);
    for (const QString& range : lists.ranges)
        (void)ScanRange(index, RangeFilter::fromLabel(range.toLatin1()));
    for (const QString& type : lists.types)
        (void)ScanType(index, type, std::nullopt);
    for (const QString& model : lists.models) {
        (void)FindListedModel(index, model);
        (void)FindModel(index, ModelNumberArgument(model));
    }
    index.rewind();
    if (index.readNext(r))
        (void)FindFileName(index, r.fileName());
    index.close();
    return 0;
}

LOBEVIEW_FUZZ_ENTRY(FuzzIndexFile)
