// Stroke text: characters made of straight strokes from the library's two vector fonts
// (stroke_glyphs.h), drawn as world-coordinate lines in the current colour at the size,
// stretch and baseline angle of the stroke-text settings (kept beside the world window,
// core/world.h). Every stroke goes through the world move and draw routines of the line
// family, so clipping and colour are those of lines.
#pragma once

namespace services {

// Strings are read up to count characters or the terminating zero, whichever comes
// first; a null string or a negative count draws nothing and measures 0.
double sw_length(const char* string, int count);
int sw_char(const char* string, int count, int justify);
int sw_text(char* string, int count, int justify);

}  // namespace services
