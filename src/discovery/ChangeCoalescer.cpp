#include "discovery/ChangeCoalescer.h"

#include <QList>

#include <algorithm>

ChangeCoalescer::ChangeCoalescer(QObject* parent) : QObject(parent) {
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &ChangeCoalescer::fire);
}

void ChangeCoalescer::touch(const QByteArray& key, Delay delay) {
    const Clock::time_point now = Clock::now();
    auto it = m_pending.find(key);
    if (it == m_pending.end()) {
        m_pending.insert(key, Pending{now + delay.quiet, now + delay.limit});
    } else {
        it->latest = std::min(it->latest, now + delay.limit);
        it->deadline = std::min(std::max(it->deadline, now + delay.quiet), it->latest);
    }
    arm();
}

void ChangeCoalescer::forget(const QByteArray& key) {
    if (m_pending.remove(key)) arm();
}

void ChangeCoalescer::clear() {
    m_pending.clear();
    m_timer.stop();
}

void ChangeCoalescer::arm() {
    if (m_pending.isEmpty()) {
        m_timer.stop();
        return;
    }
    Clock::time_point next = Clock::time_point::max();
    for (const Pending& p : std::as_const(m_pending)) next = std::min(next, p.deadline);
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now());
    m_timer.start(std::max<std::chrono::milliseconds>(wait, std::chrono::milliseconds(0)));
}

void ChangeCoalescer::fire() {
    const Clock::time_point now = Clock::now();
    QList<QByteArray> ready;
    for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (it->deadline <= now) {
            ready.append(it.key());
            it = m_pending.erase(it);
        } else {
            ++it;
        }
    }
    arm();
    for (const QByteArray& key : ready) emit due(key);
}
