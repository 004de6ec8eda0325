// Which process made a file: the program names its temporary files and
// folders after its process id, so that a later run can tell the leftovers of
// a run that was killed from those of one still at work.
#pragma once

namespace velkar {

long currentProcessId();
// True only when no process of that id runs any more (false when unsure).
bool processIsGone(long pid);

}  // namespace velkar
