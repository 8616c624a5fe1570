#pragma once

namespace lumera::cli {

// Lets the heap of this short-lived process lie on 2 MB pages where the system
// offers them: every grid an analysis makes is fresh memory, and faulting it
// in 4 KB at a time costs more than the arithmetic on it.
void PlaceHeapOnLargePages();

// A cut-out file shortened by another program while this one reads its
// mapped pages ends the process with a message and exit code 1, its partial
// outputs removed, instead of a bus error.
void FailCleanlyWhenAMappedFileShrinks();

}  // namespace lumera::cli
