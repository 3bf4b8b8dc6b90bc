#pragma once
// Giving memory back to the system: large buffers (a copied picture, its decoded pixels) are
// mapped on their own so freeing them unmaps them, and free heap pages are returned after a
// large capture instead of staying with the thread that used them.

namespace MemoryReturn {

// Before the first threads start: fixes the allocator's threshold for mapping a buffer on its
// own, which otherwise rises to the largest buffer freed so far and keeps later ones in heaps.
void configure();

// Returns the free pages of every heap; after work that allocated and freed a lot.
void giveBack();

// Captures at least this large are followed by `giveBack`.
constexpr long long kLargeCaptureBytes = 256 * 1024;

} // namespace MemoryReturn
