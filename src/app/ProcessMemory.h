#pragma once

// A program that runs all day over large lists reads blocks of a million keys
// and frees them again. glibc raises its threshold for serving a block by
// mmap to the largest block freed so far, so after the first such block the
// next ones come from the heap and their pages are never given back: memory
// grows with every refill. A fixed threshold keeps large blocks mapped on
// their own, and freeing one returns its pages at once. Called first thing.
void returnLargeBlocksToTheSystem();
