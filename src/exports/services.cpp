// Exports of the numeric and platform services. Each one forwards its arguments unchanged
// to the routine that implements it; nothing else belongs here.
#include "rsw32.h"

#include "services/trig.h"

// ---- trigonometric lookup
extern "C" RS_API int rs_trig(int angle, double* cos_out, double* sin_out) { return services::trig(angle, cos_out, sin_out); }
