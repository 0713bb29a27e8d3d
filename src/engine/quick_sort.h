#pragma once
// The recursive Hoare quicksort behind SortDetails, over any record type, so that a compact copy
// of the records is put into exactly the order the records themselves would get.
#include <utility>

namespace kelvara {

// Sorts a[lo..hi] (inclusive) ascending by key(record), a double. Middle pivot; the left cursor
// advances while below the pivot, the right retreats while above it; equal keys are not kept in
// order.
template <class T, class Key>
void HoareQuickSort(T* a, int lo, int hi, const Key& key) {
  int i = lo;
  int j = hi;
  const double pivot = key(a[(lo + hi) / 2]);
  do {
    while (key(a[i]) < pivot) ++i;
    while (key(a[j]) > pivot) --j;
    if (i <= j) {
      if (i != j) std::swap(a[i], a[j]);
      ++i;
      --j;
    }
  } while (i <= j);
  if (lo < j) HoareQuickSort(a, lo, j, key);
  if (i < hi) HoareQuickSort(a, i, hi, key);
}

}  // namespace kelvara
