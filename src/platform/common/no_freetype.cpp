// Without a font renderer (on Linux, FreeType or fontconfig were not found when the
// library was built) there are no system faces: every font is the built-in bitmap font.
#ifndef RSW32_SYSTEM_FONTS

#include "platform/common/fonts.h"

namespace host {

struct Face {};
void FaceCloser::operator()(Face* face) const { delete face; }
FacePtr open_face(const char*, int, int, bool) { return nullptr; }
FontMetrics face_metrics(const Face*) { return {}; }
bool render_glyph(Face*, unsigned, bool, GlyphImage&) { return false; }

}  // namespace host

#endif
