// Kelmora — the entry that moves a fixed asset out of the books into the
// clearing account, shared by the windows that dispose of an asset.
#pragma once

#include "core/window.h"

namespace kelmora::fixed_assets {

// Its book value goes to 固定资产清理, the depreciation is written back and the
// cost taken off.  The book value is worked out here, after whatever heading
// the caller printed, and handed back for the closing entry.
inline Num toClearing(Window& w, Num cost, Num depreciation) {
    const Num bookValue = cost - depreciation;
    w.amount("固定资产清理（借）", bookValue);
    w.amount("累计折旧（借）", depreciation);
    w.amount("固定资产（贷）", cost);
    w.blank();
    return bookValue;
}

}  // namespace kelmora::fixed_assets
