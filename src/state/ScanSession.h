#pragma once

#include "discovery/ScanControl.h"
#include "model/Project.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class ProjectScanner;

// The full scan the window waits for: starts it on the scanner, shows its progress (read at
// most ten times a second, on this object's thread) and stops it on request. One scan at a
// time: starting another stops the one running, whose result is then never delivered.
class ScanSession : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool running READ running NOTIFY runningChanged)
    Q_PROPERTY(QString progressText READ progressText NOTIFY progressChanged)
    Q_PROPERTY(QString currentFolder READ currentFolder NOTIFY progressChanged)
    // -1 while the walk runs, then the share of repositories read.
    Q_PROPERTY(double fraction READ fraction NOTIFY progressChanged)
    // The last scan was stopped before it ended.
    Q_PROPERTY(bool lastScanStopped READ lastScanStopped NOTIFY lastScanStoppedChanged)
    Q_PROPERTY(QString stoppedMessage READ stoppedMessage CONSTANT)

public:
    // Gets the projects, or nothing when the scan was stopped.
    using Done = std::function<void(std::optional<QList<Project>>)>;

    explicit ScanSession(ProjectScanner& scanner, QObject* parent = nullptr);
    // Stops the running scan; its `done` is not called.
    ~ScanSession() override;

    // `jobs` as in ScanRequest (0: the default number of workers).
    void start(const QByteArray& root, int maxDepth, Done done, int jobs = 0);
    // Stops the running scan: `done` gets nothing at once, and the scan's own end follows on
    // the scanner within moments (its git processes are killed).
    Q_INVOKABLE void stop();

    bool running() const { return m_running; }
    const ScanProgress& progress() const { return m_progress; }
    QString progressText() const;
    QString currentFolder() const;
    double fraction() const;
    bool lastScanStopped() const { return m_lastStopped; }
    QString stoppedMessage() const;

signals:
    void runningChanged();
    void progressChanged();
    void lastScanStoppedChanged();

private:
    void finish(std::optional<QList<Project>> projects, bool stopped);
    void poll();
    void setRunning(bool running);
    void setLastStopped(bool stopped);

    ProjectScanner& m_scanner;
    std::shared_ptr<ScanControl> m_control;
    Done m_done;
    quint64 m_generation = 0;
    QTimer m_timer;
    ScanProgress m_progress;
    bool m_running = false;
    bool m_lastStopped = false;
};
