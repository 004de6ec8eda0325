// How the process keeps its memory bounded on files of megabyte lines.
#pragma once

namespace velkar {

// Large buffers (a long line and its fields) go straight back to the system
// when they are freed.  Without this the C library raises its own threshold
// after the first large buffer and keeps later ones in its heap, so a file of
// many long lines would hold the memory of all of them.  No effect where the
// C library has no such setting.
void returnLargeBuffersToSystem();

}  // namespace velkar
