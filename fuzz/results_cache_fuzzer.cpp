// The reader of stored scan results on arbitrary files.
#include "FuzzSupport.h"

#include "state/ResultsFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzsupport::view(data, size).toByteArray();
    const std::optional<resultsformat::StoredResults> results = resultsformat::decodeAnyRoot(bytes);
    if (!results) return 0;
    // Whatever is read is a root's results, and only that root's.
    fuzzsupport::check(!results->root.isEmpty());
    fuzzsupport::check(resultsformat::decode(bytes, results->root).has_value());
    fuzzsupport::check(!resultsformat::decode(bytes, results->root + "/x").has_value());
    fuzzsupport::check(results->projects.size() <= qsizetype(resultsformat::kMaxProjects));
    // Written again, it reads back the same.
    const std::optional<resultsformat::StoredResults> again =
        resultsformat::decode(resultsformat::encode(*results), results->root);
    fuzzsupport::check(again.has_value() && again->projects == results->projects);
    return 0;
}
