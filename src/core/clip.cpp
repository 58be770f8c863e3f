// Setting and reading the clip rectangle.
#include "core/clip.h"

#include "core/world.h"

namespace core {

int set_clip(int minx, int maxx, int miny, int maxy) {
    const ClipRect r{minx, maxx, miny, maxy};
    clip() = r;
    if (VbSlot* s = slot_in_use(active().handle)) s->clip = r;
    return 0;
}

int set_clip_world(double minx, double maxx, double miny, double maxy) {
    const ScreenRect r = screen_rect(minx, maxx, miny, maxy);
    return set_clip(r.minx, r.maxx, r.miny, r.maxy);
}

int get_clip(int* minx, int* maxx, int* miny, int* maxy) {
    const ClipRect& c = clip();
    if (minx) *minx = c.minx;
    if (maxx) *maxx = c.maxx;
    if (miny) *miny = c.miny;
    if (maxy) *maxy = c.maxy;
    return 0;
}

}  // namespace core
