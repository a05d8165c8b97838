#pragma once

#include <QFuture>
#include <QFutureWatcher>
#include <QObject>

// Runs `done(future)` on `owner`'s thread once `future` has finished. Nothing runs when the
// owner is destroyed first.
template <typename T, typename F>
void whenFinished(QObject* owner, const QFuture<T>& future, F done) {
    auto* watcher = new QFutureWatcher<T>(owner);
    QObject::connect(watcher, &QFutureWatcherBase::finished, owner, [watcher, done = std::move(done)]() mutable {
        done(watcher->future());
        watcher->deleteLater();
    });
    watcher->setFuture(future);
}
