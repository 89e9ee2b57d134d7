#pragma once

#include <cstddef>

// Asks for huge pages behind a large buffer that is filled front to back, where the system
// offers them on request (Linux): one page fault for every 2 MB written instead of one for
// every 4 kB. Only the whole huge pages inside the buffer are concerned; pages never written
// stay unallocated either way. Elsewhere it does nothing.
void preferHugePages(void* data, size_t size);
