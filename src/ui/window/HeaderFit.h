#pragma once

// How the header bar's flexible parts share the width the fixed controls leave. As the window
// narrows, in this order: the folder text elides (down to folderMinimum), the search field
// narrows (searchWidest to searchNarrow), the title text and then the title symbol go, the gaps
// tighten, the search field narrows further (to searchNarrowest), the sort button leaves the bar
// for the menu bar's View menu, the folder button shrinks to folderFloor, the counters shorten their words to one each ("6 attention"), and last of all
// they drop their words.
namespace headerfit {

inline constexpr double searchWidest = 200;
inline constexpr double searchNarrow = 140;
inline constexpr double searchNarrowest = 100;
inline constexpr double folderMinimum = 150;
inline constexpr double folderFloor = 90;
inline constexpr double gapWidest = 16;
inline constexpr double gapTightest = 10;
// The folder button's widest, without and with a root folder.
inline constexpr double folderWidestAlone = 420;
inline constexpr double folderWidest = 280;

struct Room {
    double available = 0;        // the row's width minus its margins
    double fixedWidth = 0;       // every control that does not flex (search chrome included, text field not)
    int gaps = 0;                // the gaps between the items (the title's included), not in fixedWidth
    double titleTextWidth = 0;   // the title text with its gap to the symbol
    double titleSymbolWidth = 0; // the title symbol
    double sortWidth = 0;        // the sort button, when it is in the bar (counted in fixedWidth and gaps)
    double folderNatural = 0;    // the folder button at its full text
    bool searchShown = true;
    double counterWordsWidth = 0; // what the counters' words take of fixedWidth
    double counterShortening = 0; // what one word each saves of that
};

struct Fit {
    double folderWidth = 0;
    double searchWidth = searchWidest; // the text field's width
    double gap = gapWidest;
    bool showTitleText = true;
    bool showTitleSymbol = true;
    bool showSortButton = true;
    bool shortCounterWords = false;
    bool showCounterWords = true;
    friend bool operator==(const Fit&, const Fit&) = default;
};

Fit fit(const Room& room);

} // namespace headerfit
