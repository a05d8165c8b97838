#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QTimer>

#include <chrono>

// Turns bursts of changes into one call per key: a key is due once no change came for its
// quiet time, or once its limit after the first change has passed, whichever is sooner. One
// single-shot timer runs, for the nearest due key, and only while keys are pending.
class ChangeCoalescer : public QObject {
    Q_OBJECT

public:
    struct Delay {
        std::chrono::milliseconds quiet;
        std::chrono::milliseconds limit;
    };

    explicit ChangeCoalescer(QObject* parent = nullptr);

    void touch(const QByteArray& key, Delay delay);
    void forget(const QByteArray& key);
    void clear();
    bool isPending(const QByteArray& key) const { return m_pending.contains(key); }
    int pendingCount() const { return int(m_pending.size()); }
    bool timerActive() const { return m_timer.isActive(); }

signals:
    void due(const QByteArray& key);

private:
    using Clock = std::chrono::steady_clock;
    struct Pending {
        Clock::time_point deadline;
        Clock::time_point latest; // the first change plus its limit
    };

    void arm();
    void fire();

    QHash<QByteArray, Pending> m_pending;
    QTimer m_timer;
};
