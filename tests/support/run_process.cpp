#include "run_process.h"

#include "fault_rig.h"
#include "golden.h"

namespace velkar::test {

ProcessResult runProcess(const std::string& program, const std::vector<std::string>& args,
                         const std::map<std::string, std::string>& env) {
    const auto dir = tempDir("run-process");
    ProcessResult r;
    r.exitCode = waitForExit(spawnProcess(program, args, env, dir / "out", dir / "err"));
    r.out = readBytes(dir / "out");
    r.err = readBytes(dir / "err");
    return r;
}

}  // namespace velkar::test
