// Exports of the image families. Each one forwards its arguments unchanged to the
// routine that implements it; nothing else belongs here.
#include "rsw32.h"

// ---- block transfers between virtual buffers
