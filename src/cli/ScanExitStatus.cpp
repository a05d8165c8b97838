#include "cli/ScanExitStatus.h"

namespace scanexit {

const std::vector<StatusHelp>& statusTable() {
    static const std::vector<StatusHelp> table = {
        {kDone, "the scan ran (also when it found no projects)"},
        {kAttention, "with --attention: at least one project needs attention"},
        {kUsage, "a usage error, or a FOLDER that cannot be read"},
        {kNoStoredResults, "with --cached: no stored results of FOLDER"},
        {kInterrupted, "interrupted (Ctrl+C); nothing is printed"},
    };
    return table;
}

} // namespace scanexit
