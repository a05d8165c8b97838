#pragma once

#include "discovery/ScanControl.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

// The texts and figures a running scan is shown with, on the loading screen and the terminal.
namespace scanprogress {

// "1,234 folders · 56 projects · git 12 of 40"; the git part once a repository was found.
// Numbers are grouped as the locale does; the C locale groups in English.
QString text(const ScanProgress& progress, const QLocale& locale = QLocale::system());

// The share of repositories read, 0 to 1, once the walk has ended; -1 while it runs (the
// total is not known yet). A walk that found no repository is complete.
double fraction(const ScanProgress& progress);

// The folder being walked, as text (bytes that are not UTF-8 become replacement characters).
QString folderText(const ScanProgress& progress);

// The message of a scan that was stopped before it ended.
QString stoppedMessage();
// The same when the results of an earlier scan stay shown: "Scan stopped — showing the results
// of 14:32" (a scan of today: the time; of another day: date and time, both short, as the locale
// writes them).
QString stoppedShowingMessage(const QDateTime& resultsTime, const QDateTime& now,
                              const QLocale& locale = QLocale::system());

} // namespace scanprogress
