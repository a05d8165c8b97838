#pragma once

#include "model/SyncEligibility.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// How a pull, a push or a fetch of one repository went.
enum class SyncResult { pulled, pushed, fetched, upToDate, skipped, failed };

// "pulled", "pushed", "fetched", "up-to-date", "skipped", "failed".
QString syncResultKey(SyncResult result);

struct SyncOutcome {
    SyncResult result = SyncResult::failed;
    // In words: what was done, why the repository was skipped, or git's first error line.
    QString reason;
    // For skipped and failed: a short phrase that summaries group by ("local changes",
    // "diverged", "rejected"); empty otherwise.
    QString category;

    static SyncOutcome skipped(const SyncEligibility& why) { return {SyncResult::skipped, why.reason, why.category}; }
};

namespace gitsync {

// The files git names after "would be overwritten by merge:" (tracked changes or untracked
// files), one per indented line, as git printed them.
QStringList overwrittenFiles(const QByteArray& errorOutput);
// "Local changes would be overwritten: a.txt, b.txt" (at most a few names, then "and 3 more").
QString overwrittenMessage(const QStringList& files);
// `line` with the password or token of any URL in it left out.
QString withoutSecrets(const QString& line);

} // namespace gitsync
