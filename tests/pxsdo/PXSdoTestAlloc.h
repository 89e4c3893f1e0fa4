// Failing allocations on demand: the no-throw allocations of the soft-data
// layer (statements, lists, sections, definitions) can be made to fail so
// that tests see which description the out-of-memory exception carries.
#ifndef PXSDOTESTALLOC_H
#define PXSDOTESTALLOC_H

// Lets nSkip further no-throw allocations succeed and fails the one after.
void FailNothrowAllocationAfter(int nSkip);
// Cancels a pending failure.
void ResetNothrowAllocation();

#endif
