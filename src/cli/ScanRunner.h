#pragma once

#include "discovery/ProjectScanner.h"

#include <atomic>
#include <iosfwd>
#include <optional>

// Erases the line the cursor is on: carriage return, then clear to its end.
inline constexpr const char* kClearLine = "\r\x1b[K";

// Runs one scan while the calling thread keeps a self-overwriting progress line on
// `progressOut` (when given; cleared at the end) and stops the scan once `interrupt` is true.
// Yields nothing when the scan was stopped.
std::optional<QList<Project>> runWatchedScan(ProjectScanner& scanner, ScanRequest request, std::ostream* progressOut,
                                             const std::atomic<bool>* interrupt);
