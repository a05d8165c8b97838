// The "remote -v" parser on arbitrary text.
#include "FuzzSupport.h"

#include "discovery/GitService.h"

#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString output = QString::fromUtf8(fuzzsupport::view(data, size));
    const QList<GitRemote> remotes = parseRemotes(output);
    // One remote per (canonically composed) name, sorted by that name's code points.
    QSet<QString> names;
    QList<uint> previous;
    for (qsizetype i = 0; i < remotes.size(); ++i) {
        const QString canonical = remotes[i].name.normalized(QString::NormalizationForm_C);
        fuzzsupport::check(!names.contains(canonical));
        names.insert(canonical);
        const QList<uint> key = canonical.toUcs4();
        if (i > 0) fuzzsupport::check(!(key < previous));
        previous = key;
        fuzzsupport::check(!remotes[i].id.isNull());
    }
    return 0;
}
