#pragma once

#include <QtGlobal>

// The process's memory: its resident size as the kernel counts it, and the
// heap the timed runs share.
namespace ProcessMemory {

// The highest resident set size so far (VmHWM), in bytes; 0 when unknown.
qint64 peakBytes();

// Starts a new peak from the present resident size, where the kernel
// allows it; false when the peak keeps counting from the process's start.
bool resetPeak();

// The bytes the heap holds in use now; 0 when unknown.
qint64 heapBytes();

// Merges what earlier runs freed, so that no timed run pays for cleaning
// up after the one before.
void settleHeap();

} // namespace ProcessMemory
