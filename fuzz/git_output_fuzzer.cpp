// The porcelain v2 status and last-commit parsers on arbitrary output. The input up to its
// first zero byte is the status output, the rest the log output.
#include "FuzzSupport.h"

#include "discovery/GitOutput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto [status, log] = fuzzsupport::splitAtZero(fuzzsupport::view(data, size));
    const PorcelainStatus parsed = parsePorcelainV2(status);
    fuzzsupport::check(parsed.staged >= 0 && parsed.unstaged >= 0 && parsed.untracked >= 0);
    fuzzsupport::check(parsed.conflicted >= 0 && parsed.stashes >= 0);
    if (log) {
        const LastCommitFields fields = parseLastCommit(QString::fromUtf8(*log));
        // An empty output has no commit.
        if (log->isEmpty()) fuzzsupport::check(!fields.summary);
    }
    return 0;
}
