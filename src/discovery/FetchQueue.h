#pragma once

#include "discovery/GitService.h"

#include <QByteArray>
#include <QList>
#include <atomic>
#include <functional>

// Fetches many repositories, `parallel` at a time. `progress` (may be empty) is called from
// the worker threads after each fetch with the number done so far and the total; it must be
// safe to call from several threads. Results are in the order of `folders`. A set `cancel`
// stops the running fetches and skips the rest (reported as failed).
QList<FetchResult> fetchAll(GitService& git, const QList<QByteArray>& folders, int parallel,
                            const std::function<void(int done, int total)>& progress = {},
                            const std::atomic<bool>* cancel = nullptr);
