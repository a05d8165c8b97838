#pragma once

#include "state/ResultsFormat.h"

#include <QByteArray>
#include <QString>
#include <QThreadPool>
#include <optional>

// The stored results of full scans in the user's cache folder ($XDG_CACHE_HOME/codeorchardist,
// else ~/.cache/codeorchardist), one file per root folder, named after a hash of the root's
// bytes. Files are written whole to a temporary file and renamed, readable by the user alone.
// A file that cannot be read as the results of its root is ignored; the next scan replaces it.
class ResultsCache {
public:
    // The user's cache folder of the application.
    static QString defaultFolder();

    explicit ResultsCache(QString folder = defaultFolder());
    // Waits for the writes still running.
    ~ResultsCache();
    ResultsCache(const ResultsCache&) = delete;
    ResultsCache& operator=(const ResultsCache&) = delete;

    QString folder() const { return m_folder; }
    // The file that holds the results of `root`.
    QString fileName(const QByteArray& root) const;

    std::optional<resultsformat::StoredResults> read(const QByteArray& root) const;
    // Writes at once; false when the folder or the file cannot be written.
    bool write(const resultsformat::StoredResults& results) const;
    // Writes on a thread of its own, one write after the other in the order asked.
    void writeLater(resultsformat::StoredResults results);
    void waitForWrites();

private:
    QString m_folder;
    QThreadPool m_writer;
};
