#include "discovery/FetchQueue.h"

#include <algorithm>
#include <thread>
#include <vector>

QList<FetchResult> fetchAll(GitService& git, const QList<QByteArray>& folders, int parallel,
                            const std::function<void(int, int)>& progress, const std::atomic<bool>* cancel) {
    std::vector<FetchResult> results(size_t(folders.size()));
    const int total = int(folders.size());
    std::atomic<int> next{0};
    std::atomic<int> done{0};
    const auto work = [&] {
        for (int i = next++; i < total; i = next++) {
            if (cancel && cancel->load()) {
                results[size_t(i)] = {GitProblem::failed, QStringLiteral("cancelled")};
            } else {
                results[size_t(i)] = git.fetch(folders[i], cancel);
            }
            const int finished = ++done;
            if (progress) progress(finished, total);
        }
    };
    const int workers = std::clamp(parallel, 1, std::max(1, total));
    std::vector<std::thread> threads;
    threads.reserve(size_t(workers) - 1);
    for (int w = 1; w < workers; ++w) threads.emplace_back(work);
    work();
    for (std::thread& t : threads) t.join();
    return QList<FetchResult>(results.begin(), results.end());
}
