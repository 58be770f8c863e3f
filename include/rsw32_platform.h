/*
 * rsw32 host side: what a program needs on a system without the Windows API to set up
 * the host the library draws for. These functions are not part of the drawing interface
 * and all carry the prefix rsp_.
 */
#ifndef RSW32_PLATFORM_H
#define RSW32_PLATFORM_H

#include "rsw32.h"

#ifdef __cplusplus
extern "C" {
#endif

/* ---- System facts ------------------------------------------------------------------
 * The headless host reports a display of 32 bits per pixel and the NT family (whose
 * 16- and 32-bit bitmap headers use the short 40-byte form followed by three masks).
 * A display of 8 bits or fewer makes 8-bit buffers use palette-index colour tables.
 */
RS_API int rsp_set_display_depth(int bits);
RS_API int rsp_set_nt_family(int nt);

#ifdef __cplusplus
}
#endif

#endif /* RSW32_PLATFORM_H */
