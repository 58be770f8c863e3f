// Exports of the drawing families. Each one forwards its arguments unchanged to the
// routine that implements it; nothing else belongs here.
#include "rsw32.h"

// ---- lines, cursor, dash patterns

// ---- rectangles, boxes, page fills, scrolling

// ---- circles, ellipses, arcs

// ---- polygons

// ---- flood fill
