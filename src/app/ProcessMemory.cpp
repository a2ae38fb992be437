#include "app/ProcessMemory.h"

#include <malloc.h>

void returnLargeBlocksToTheSystem()
{
    // A mebibyte: list pages and rows stay on the heap, whole key lists do not.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
}
