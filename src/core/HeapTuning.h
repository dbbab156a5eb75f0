#pragma once

namespace tavlora {

// Allocator setting for a process that opens large screen sets repeatedly:
// memory freed when a set is closed stays with the process, so the next open
// or reload reuses those pages instead of faulting every page in again.
// Call it first thing in main().
class HeapTuning {
public:
    static void KeepFreedMemory();
};

} // namespace tavlora
