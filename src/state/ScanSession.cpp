#include "state/ScanSession.h"

#include "discovery/ProjectScanner.h"
#include "state/ScanProgressText.h"

#include <QFutureWatcher>

ScanSession::ScanSession(ProjectScanner& scanner, QObject* parent) : QObject(parent), m_scanner(scanner) {
    m_timer.setInterval(kScanProgressInterval);
    connect(&m_timer, &QTimer::timeout, this, &ScanSession::poll);
}

ScanSession::~ScanSession() {
    if (m_control) m_control->requestStop();
}

void ScanSession::start(const QByteArray& root, int maxDepth, Done done, int jobs) {
    if (m_control) m_control->requestStop();
    const quint64 generation = ++m_generation;
    m_control = std::make_shared<ScanControl>();
    m_done = std::move(done);
    m_progress = {};
    emit progressChanged();

    auto* watcher = new QFutureWatcher<ScanOutcome>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation] {
        watcher->deleteLater();
        // A newer scan, or a stop, has taken this one's place.
        if (generation != m_generation) return;
        ScanOutcome outcome = watcher->future().result();
        poll();
        if (outcome.stopped) finish(std::nullopt, true);
        else finish(std::move(outcome.projects), false);
    });
    watcher->setFuture(m_scanner.startScan(ScanRequest{root, maxDepth, jobs, m_control}));
    m_timer.start();
    setRunning(true);
}

void ScanSession::stop() {
    if (!m_running) return;
    m_control->requestStop();
    ++m_generation;
    finish(std::nullopt, true);
}

void ScanSession::finish(std::optional<QList<Project>> projects, bool stopped) {
    m_timer.stop();
    m_control.reset();
    const Done done = std::exchange(m_done, {});
    setLastStopped(stopped);
    setRunning(false);
    if (done) done(std::move(projects));
}

void ScanSession::poll() {
    if (!m_control) return;
    ScanProgress now = m_control->progress();
    if (now == m_progress) return;
    m_progress = std::move(now);
    emit progressChanged();
}

void ScanSession::setRunning(bool running) {
    if (m_running == running) return;
    m_running = running;
    emit runningChanged();
}

void ScanSession::setLastStopped(bool stopped) {
    if (m_lastStopped == stopped) return;
    m_lastStopped = stopped;
    emit lastScanStoppedChanged();
}

QString ScanSession::progressText() const { return scanprogress::text(m_progress); }

QString ScanSession::currentFolder() const { return scanprogress::folderText(m_progress); }

double ScanSession::fraction() const { return scanprogress::fraction(m_progress); }

QString ScanSession::stoppedMessage() const { return scanprogress::stoppedMessage(); }
