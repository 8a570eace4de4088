#include "ProcessMemory.h"

#include <QFile>

#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ProcessMemory {

namespace {
constexpr size_t kLargeBlock = 256 * 1024;
}

qint64 peakBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return 0;
    // "VmHWM:     123456 kB"
    const QByteArray text = status.readAll();
    const qsizetype at = text.indexOf("VmHWM:");
    if (at < 0)
        return 0;
    const qsizetype end = text.indexOf('\n', at);
    QByteArray field = text.mid(at + 6, end < 0 ? -1 : end - at - 6).trimmed();
    if (field.endsWith("kB"))
        field.chop(2);
    bool ok = false;
    const qint64 kib = field.trimmed().toLongLong(&ok);
    return ok ? kib * 1024 : 0;
}

bool resetPeak()
{
    // "5" resets the peak resident size to the present one (Linux 4.0 on).
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (!clearRefs.open(QIODevice::WriteOnly))
        return false;
    return clearRefs.write("5") == 1;
}

qint64 heapBytes()
{
#if defined(__GLIBC__) && (__GLIBC__ > 2 || __GLIBC_MINOR__ >= 33)
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
#else
    return 0;
#endif
}

void settleHeap()
{
    // The C library merges freed blocks lazily: the first large allocation
    // after many small frees merges them all. One is made here, untimed,
    // and handed back at once, which leaves the heap warm, as a program
    // that keeps running has it.
    void *large = std::malloc(kLargeBlock);
    std::free(large);
}

} // namespace ProcessMemory
