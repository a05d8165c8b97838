#include "cli/ScanExitStatus.h"

namespace scanexit {

const std::vector<StatusHelp>& statusTable() {
    static const std::vector<StatusHelp> table = {
        {kDone, "the scan ran (also when it found no projects); --pull: none failed"},
        {kAttention, "--attention: a project needs attention; --pull: a pull failed"},
        {kUsage, "a usage error, or a FOLDER that cannot be read"},
        {kNoStoredResults, "with --cached: no stored results of FOLDER"},
        {kInterrupted, "interrupted (Ctrl+C); nothing is printed"},
    };
    return table;
}

} // namespace scanexit
