#pragma once

// How the header bar's flexible controls share the width left by the fixed ones. As the window
// narrows, the folder text elides first (down to folderMinimum), then the search field narrows
// (searchWidest to searchNarrowest), then the title text gives way to its symbol, and last the
// folder button shrinks to folderFloor, and last of all the counters drop their words.
namespace headerfit {

inline constexpr double searchWidest = 200;
inline constexpr double searchNarrowest = 140;
inline constexpr double folderMinimum = 150;
inline constexpr double folderFloor = 90;
// The folder button's widest, without and with a root folder.
inline constexpr double folderWidestAlone = 420;
inline constexpr double folderWidest = 280;

struct Fit {
    double folderWidth = 0;
    double searchWidth = searchWidest; // the text field's width
    bool showTitleText = true;
    bool showCounterWords = true;
    friend bool operator==(const Fit&, const Fit&) = default;
};

// `available`: the row's width minus its margins and the gaps between items; `fixedWidth`:
// the widths of every control that does not flex (search chrome included, text field not);
// `titleTextWidth`: the title text with its gap to the symbol; `folderNatural`: the folder
// button at its full text; `counterWordsWidth`: what the counters' words take of `fixedWidth`.
// With `searchShown` false the search field takes no width.
Fit fit(double available, double fixedWidth, double titleTextWidth, double folderNatural, bool searchShown,
        double counterWordsWidth = 0);

} // namespace headerfit
