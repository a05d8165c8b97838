#include "state/ScanProgressText.h"

namespace scanprogress {

namespace {

QString counted(qint64 n, const char* one, const char* many, const QLocale& locale) {
    return locale.toString(n) + QLatin1Char(' ') + QLatin1String(n == 1 ? one : many);
}

} // namespace

QString text(const ScanProgress& progress, const QLocale& requested) {
    const QLocale locale = requested.language() == QLocale::C ? QLocale(QLocale::English) : requested;
    const QString separator = QStringLiteral(" \u00B7 ");
    QString out = counted(progress.folders, "folder", "folders", locale) + separator +
                  counted(progress.projects, "project", "projects", locale);
    if (progress.repositories > 0) {
        out += separator + QStringLiteral("git ") + locale.toString(progress.repositoriesRead) +
               QStringLiteral(" of ") + locale.toString(progress.repositories);
    }
    return out;
}

double fraction(const ScanProgress& progress) {
    if (!progress.walkDone) return -1.0;
    if (progress.repositories <= 0) return 1.0;
    return std::min(1.0, double(progress.repositoriesRead) / double(progress.repositories));
}

QString folderText(const ScanProgress& progress) { return QString::fromUtf8(progress.currentFolder); }

QString stoppedMessage() { return QStringLiteral("Scan stopped"); }

QString stoppedShowingMessage(const QDateTime& resultsTime, const QDateTime& now, const QLocale& locale) {
    const QDateTime local = resultsTime.toLocalTime();
    const QString when = local.date() == now.toLocalTime().date() ? locale.toString(local.time(), QLocale::ShortFormat)
                                                                   : locale.toString(local, QLocale::ShortFormat);
    return stoppedMessage() + QStringLiteral(" — showing the results of ") + when;
}

} // namespace scanprogress
