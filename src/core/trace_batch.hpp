// Gathering a thread's trace lines and writing them as one.
#pragma once

#include <ctime>

namespace vyt::trace {

// While a Batch is open on a thread, its trace and error lines are gathered
// in memory; they are written, in one write, when the outermost Batch closes
// or at flush().  Lines of one write never interleave with other threads'
// lines.  Open one around work that makes no call into Java, and flush()
// before any call into Java.
//
// A Batch has no members to call: it works only through its constructor and
// destructor, so one held as a member or a local is never named again (the
// JNI sink's gatherLines_, for one).  Name it after what its lifetime does.
class Batch {
public:
    Batch() noexcept;
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
};

// Writes what the calling thread has gathered.
void flush();

// Sets the clock whose seconds stamp the lines (null: the system's), for
// tests that need the second to turn at a given moment.  Set it while no
// other thread writes lines.
void setClock(std::time_t (*clock)());

}  // namespace vyt::trace
