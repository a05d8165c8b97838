// The commit time parser ("log -1 --format=%ct", trimmed) on arbitrary text, and the relative
// text of whatever it accepts.
#include "FuzzSupport.h"

#include "discovery/GitService.h"
#include "model/RelativeDateText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(fuzzsupport::view(data, size));
    const std::optional<QDateTime> time = parseCommitTime(text);
    if (!time) return 0;
    fuzzsupport::check(time->isValid());
    static const QDateTime now(QDate(2026, 6, 15), QTime(12, 0), Qt::UTC);
    static const QLocale english(QLocale::English, QLocale::UnitedStates);
    fuzzsupport::check(!relativeDateText(*time, now, english).isEmpty());
    return 0;
}
