#pragma once

namespace tavlora {

// This process and others, by process id.
class Process {
public:
    static long CurrentId();
    // Whether a process with this id runs (this process always does).
    static bool Alive(long pid);
};

} // namespace tavlora
