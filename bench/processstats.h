#pragma once

// What a benchmark program reads of its own process, the way its operating system tells it.
namespace processstats {

// Milliseconds since the process started. The launcher may hand over the wall-clock time
// just before it started this process (SHIYA_BENCH_T0_NS, nanoseconds since the epoch),
// which is finer than what the system records of the start.
double msSinceStart();
// The CPU time all threads of the process have taken so far, in milliseconds.
double cpuMs();
// The peak resident memory (working set) so far, in KiB; -1 if unknown.
long peakResidentKiB();

} // namespace processstats
