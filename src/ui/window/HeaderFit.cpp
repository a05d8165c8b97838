#include "HeaderFit.h"

#include <algorithm>

namespace headerfit {

Fit fit(double available, double fixedWidth, double titleTextWidth, double folderNatural, bool searchShown,
        double counterWordsWidth) {
    Fit result;
    const double wanted = std::min(folderNatural, searchShown ? folderWidest : folderWidestAlone);
    const double least = std::min(wanted, folderMinimum);
    result.searchWidth = searchShown ? searchWidest : 0;

    double room = available - fixedWidth - titleTextWidth - result.searchWidth;
    if (room < least && searchShown) {
        // Short of room with the folder text at its minimum: narrow the search field.
        const double give = std::min(least - room, searchWidest - searchNarrowest);
        result.searchWidth -= give;
        room += give;
    }
    if (room < least && titleTextWidth > 0) {
        // Then the title text gives way to its symbol.
        result.showTitleText = false;
        room += titleTextWidth;
    }
    const double floor = std::min(folderFloor, wanted);
    if (room < floor && counterWordsWidth > 0) {
        // Still short with the folder button at its floor: the counters show their numbers
        // alone (the words stay in their tooltips).
        result.showCounterWords = false;
        room += counterWordsWidth;
    }
    result.folderWidth = std::clamp(room, floor, wanted);
    return result;
}

} // namespace headerfit
