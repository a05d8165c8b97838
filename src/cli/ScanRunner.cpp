#include "cli/ScanRunner.h"

#include "state/ScanProgressText.h"

#include <condition_variable>
#include <mutex>
#include <ostream>

std::optional<QList<Project>> runWatchedScan(ProjectScanner& scanner, ScanRequest request, std::ostream* progressOut,
                                             const std::atomic<bool>* interrupt) {
    if (!request.control) request.control = std::make_shared<ScanControl>();
    const std::shared_ptr<ScanControl> control = request.control;

    QString shown;
    const auto look = [&] {
        if (interrupt && interrupt->load()) control->requestStop();
        if (!progressOut) return;
        const QString line = scanprogress::text(control->progress());
        if (line == shown) return;
        shown = line;
        *progressOut << kClearLine << line.toStdString() << std::flush;
    };

    // Woken by the scan's end; otherwise looks again every interval. No event loop is needed.
    std::mutex mutex;
    std::condition_variable ended;
    bool finished = false;
    look(); // an interrupt that came before the scan stops it at once
    QFuture<ScanOutcome> future = scanner.startScan(std::move(request));
    QFuture<void> woken = future.then(QtFuture::Launch::Sync, [&](const ScanOutcome&) {
        std::lock_guard lock(mutex);
        finished = true;
        ended.notify_all();
    });
    for (;;) {
        {
            std::unique_lock lock(mutex);
            if (ended.wait_for(lock, kScanProgressInterval, [&] { return finished; })) break;
        }
        look();
    }
    woken.waitForFinished();
    if (progressOut && !shown.isEmpty()) *progressOut << kClearLine << std::flush;

    const ScanOutcome outcome = future.result();
    if (outcome.stopped) return std::nullopt;
    return outcome.projects;
}
