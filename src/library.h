// The start and end of the library as a whole. This is the one module above every
// subsystem: it knows their order, and no subsystem knows it.
#pragma once

namespace library {

// rs_vbinit: the core first (buffer table, colours, devices), then each family's state
// back to its starting values. Returns 0.
int start();

// rs_vbfin: each family releases what it holds, the core last. Buffers stay allocated.
// Returns 0.
int end();

}  // namespace library
