// The bookmark decoder on arbitrary data.
#include "FuzzSupport.h"

#include "state/FolderBookmark.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzsupport::view(data, size).toByteArray();
    const std::optional<folderbookmark::Resolution> resolved = folderbookmark::resolve(bytes);
    if (resolved) {
        // Only an absolute path of an existing folder, short enough to open, comes back.
        fuzzsupport::check(resolved->path.startsWith('/'));
        fuzzsupport::check(!resolved->path.contains('\0'));
        fuzzsupport::check(resolved->path.size() < folderbookmark::kMaxPathLength);
        // A bookmark made afresh of that folder resolves to it, not stale.
        const std::optional<QByteArray> again = folderbookmark::create(resolved->path);
        fuzzsupport::check(again.has_value());
        const auto fresh = folderbookmark::resolve(*again);
        fuzzsupport::check(fresh && fresh->path == resolved->path && !fresh->isStale);
    }
    return 0;
}
