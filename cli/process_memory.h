#pragma once

namespace lumera::cli {

// Lets the heap of this short-lived process lie on 2 MB pages where the system
// offers them: every grid an analysis makes is fresh memory, and faulting it
// in 4 KB at a time costs more than the arithmetic on it.
void PlaceHeapOnLargePages();

}  // namespace lumera::cli
