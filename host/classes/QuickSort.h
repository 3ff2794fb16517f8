// The in-place quicksort that the host's lists use, over indices, so that a list can keep
// parallel data (a string and its object) together while sorting.
#pragma once

#include "host/system/Types.h"

namespace host {

/// Sorts the index range [L, R]. `Compare(i, j)` is negative, zero or positive; `Swap(i, j)`
/// exchanges two entries. The scans are bounded, so a comparison that contradicts itself gives
/// an unspecified order but never reads outside the range; recursion goes into the smaller
/// part, so the depth stays logarithmic.
template <class Cmp, class Swp>
void QuickSortRange(Integer L, Integer R, Cmp& Compare, Swp& Swap) {
    while (L < R) {
        Integer i = L, j = R, p = L + (R - L) / 2;
        do {
            while (i < R && Compare(i, p) < 0) ++i;
            while (j > L && Compare(j, p) > 0) --j;
            if (i <= j) {
                if (i != j) {
                    Swap(i, j);
                    if (p == i)
                        p = j;
                    else if (p == j)
                        p = i;
                }
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - L < R - i) {
            if (L < j) QuickSortRange(L, j, Compare, Swap);
            L = i;
        } else {
            if (i < R) QuickSortRange(i, R, Compare, Swap);
            R = j;
        }
    }
}

template <class Cmp, class Swp>
void QuickSort(Integer Count, Cmp&& Compare, Swp&& Swap) {
    if (Count > 1) QuickSortRange(0, Count - 1, Compare, Swap);
}

} // namespace host
