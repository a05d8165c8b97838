#include "HeaderFit.h"

#include <algorithm>

namespace headerfit {

Fit fit(const Room& in) {
    Fit result;
    const double wanted = std::min(in.folderNatural, in.searchShown ? folderWidest : folderWidestAlone);
    const double least = std::min(wanted, folderMinimum);
    const double floor = std::min(folderFloor, wanted);
    result.searchWidth = in.searchShown ? searchWidest : 0;
    // What is left for the folder button.
    double room = in.available - in.fixedWidth - in.gaps * gapWidest - in.titleTextWidth - in.titleSymbolWidth -
                  result.searchWidth;
    const auto narrowSearch = [&](double to) {
        if (!in.searchShown) return;
        const double give = std::min(least - room, result.searchWidth - to);
        if (give <= 0) return;
        result.searchWidth -= give;
        room += give;
    };
    narrowSearch(searchNarrow);
    if (room < least && in.titleTextWidth > 0) {
        result.showTitleText = false;
        room += in.titleTextWidth;
    }
    int gaps = in.gaps;
    if (room < least && in.titleSymbolWidth > 0) {
        // The whole title goes, and the gap after it.
        result.showTitleSymbol = false;
        room += in.titleSymbolWidth + gapWidest;
        --gaps;
    }
    if (room < least && gaps > 0) {
        result.gap = gapTightest;
        room += gaps * (gapWidest - gapTightest);
    }
    narrowSearch(searchNarrowest);
    if (room < floor && in.sortWidth > 0) {
        result.showSortButton = false;
        room += in.sortWidth + result.gap;
    }
    // Still short with the folder button at its floor: the counters shorten their words, then
    // show their numbers alone (the words stay in their tooltips).
    if (room < floor && in.counterShortening > 0) {
        result.shortCounterWords = true;
        room += in.counterShortening;
    }
    if (room < floor && in.counterWordsWidth > 0) {
        result.showCounterWords = false;
        room += in.counterWordsWidth - (result.shortCounterWords ? in.counterShortening : 0);
    }
    result.folderWidth = std::clamp(room, floor, wanted);
    return result;
}

} // namespace headerfit
