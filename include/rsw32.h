/*
 * rsw32: software raster graphics over off-screen virtual buffers.
 *
 * Every function has C linkage and works on one process-wide library state;
 * calls must come from one thread at a time. Typical use:
 *
 *   rs_vbinit();  rs_vbdepth(32);  int vb = rs_vballoc(640, 480);  rs_vbopen(vb);
 *   rs_setcolorrgb(255, 0, 0);  rs_move(10, 10);  rs_draw(100, 50);
 *   rs_vbpaste(0, 639, 0, 479, 0, 479);   (after rs_setdc with a device)
 *   rs_vbclose();  rs_vbfree(-1);  rs_vbfin();
 *
 * Conventions:
 *  - Screen coordinates are pixels of the active buffer, origin top-left, y down.
 *    Rectangles are always passed as minx, maxx, miny, maxy, all inclusive.
 *  - Functions ending in `w` take world coordinates (doubles, y up) and convert them
 *    with rs_xscreen / rs_yscreen before acting as their integer twin.
 *  - Results are 0 unless stated; most drawing functions do nothing (and return 0)
 *    without an active buffer.
 *  - Where a caller obligation is left open (points outside the buffer, clip rectangles
 *    outside it, unclipped routines given out-of-buffer rectangles), the library never
 *    reads or writes outside memory it owns: it clips to the buffer or does nothing.
 *    Each such choice is noted beside the function.
 */
#ifndef RSW32_H
#define RSW32_H

#if defined(_WIN32)
#  if defined(RSW32_BUILD)
#    define RS_API __declspec(dllexport)
#  else
#    define RS_API __declspec(dllimport)
#  endif
#elif defined(RSW32_BUILD)
#  define RS_API __attribute__((visibility("default")))
#else
#  define RS_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef void *RS_HDC;      /* device context: memory DC, surface, window or printer page */
typedef void *RS_HPALETTE; /* platform palette */
typedef void *RS_HFONT;
typedef void *RS_HCURSOR;

/* ---- Library state queries and version -------------------------------------------- */
RS_API int rs_getmaxx(void);   /* width - 1 of the last opened buffer; -1 before any */
RS_API int rs_getmaxy(void);
RS_API int rs_getxpos(void);
RS_API int rs_getypos(void);
RS_API int rs_getxbox(void);
RS_API int rs_getybox(void);
RS_API int rs_getxjust(void);
RS_API int rs_getyjust(void);
RS_API int rs_getdepth(void);
RS_API int rs_gethcbpp(void);  /* always 16 */
RS_API int rs_version(int *major, int *minor);

/* ---- Virtual buffers ----------------------------------------------------------------
 * 256 slots, handles 0..255. Widths are rounded up to a multiple of 4 pixels; rows are
 * stored bottom-up. rs_vballoc returns the lowest free slot, -1 when all are in use, -2
 * when the buffer cannot be created: width or height below 1, a creation depth other
 * than 8, 16, 24 or 32, or a buffer whose bytes (pixels and header) do not fit in 31 bits.
 */
RS_API int rs_vbinit(void);
RS_API int rs_vbfin(void);
RS_API int rs_vbdepth(int bits);
RS_API int rs_vballoc(int width, int height);
RS_API int rs_vbopen(int handle);
RS_API int rs_vbclose(void);
RS_API int rs_vbfree(int handle);
RS_API int rs_vbsize(int width, int height);
RS_API void *rs_vbaddr(int handle); /* bottom row of the buffer; NULL for a free slot */
RS_API int rs_vbhandle(void);
RS_API int rs_vbcolors(void);

/* ---- Colours and single pixels ------------------------------------------------------
 * Colour values are in the active depth's encoding: a palette index at 8 bits, RGB565 at
 * 16, 0xRRGGBB at 24 and 0xAARRGGBB at 32. The current colour is prepared for the depth
 * of the last opened buffer; set it again after opening a buffer of another depth.
 * rs_putpixel and rs_getpixel do not clip; a point outside the active buffer is ignored
 * (rs_getpixel returns 0 for it).
 */
RS_API int rs_setcolor(int color);
RS_API int rs_setcolorrgb(int red, int green, int blue);
RS_API int rs_getcolor(void);
RS_API int rs_maprgb(int red, int green, int blue);
RS_API int rs_unmaprgb(int value, int *red, int *green, int *blue); /* writes nothing at 8 bits */
RS_API int rs_point(int x, int y);
RS_API int rs_pointw(double x, double y);
RS_API int rs_pointx(int x, int y);
RS_API int rs_pointxw(double x, double y);
RS_API int rs_getpixel(int x, int y);
RS_API int rs_putpixel(int x, int y);

/* ---- Clipping, viewports, client mapping, world coordinates -------------------------
 * The clip rectangle is stored as given, unordered and unclamped. Drawing clips to the
 * part of it that lies inside the active buffer, so a rectangle reaching outside the
 * buffer never lets a pixel be written outside it.
 * World conversions truncate toward zero; a result that is not a number or does not fit
 * an int becomes INT_MIN. A degenerate viewport (zero view extent) maps every value to
 * the port's minimum.
 */
RS_API int rs_setclip(int minx, int maxx, int miny, int maxy);
RS_API int rs_setclipw(double minx, double maxx, double miny, double maxy);
RS_API int rs_getclip(int *minx, int *maxx, int *miny, int *maxy);
RS_API int rs_setview(int view_minx, int view_maxx, int view_miny, int view_maxy,
                      int port_minx, int port_maxx, int port_miny, int port_maxy);
RS_API int rs_getview(int *view_minx, int *view_maxx, int *view_miny, int *view_maxy,
                      int *port_minx, int *port_maxx, int *port_miny, int *port_maxy);
RS_API int rs_xview(int x);
RS_API int rs_yview(int y);
/* Client mapping between the last opened buffer and the client area of the device that has
 * the focus (see rsp_focus). Products are 64-bit, quotients truncate toward zero and are
 * kept to 32 bits. All four return -1 when no device has the focus, and for a buffer or
 * client width or height of 0 (no buffer opened yet, an empty client area) instead of
 * dividing by zero. */
RS_API int rs_xclient(int x);
RS_API int rs_yclient(int y);
RS_API int rs_xvb(int x);
RS_API int rs_yvb(int y);
RS_API int rs_initw(void);
RS_API int rs_setworld(double minx, double maxx, double miny, double maxy);
RS_API int rs_getworld(double *minx, double *maxx, double *miny, double *maxy);
RS_API int rs_xscreen(double x);
RS_API int rs_yscreen(double y);
RS_API double rs_xworld(int x);
RS_API double rs_yworld(int y);

/* ---- Palettes ----------------------------------------------------------------------- */
RS_API int rs_setdacs(int start, int count, const unsigned char *rgb);
RS_API int rs_colors(void); /* display bits per pixel; 15 is reported as 16 */

/* ---- Presenting, printing, clipboard ------------------------------------------------
 * Regions are screen rectangles of the active buffer (minx, maxx, miny, maxy, inclusive).
 * The window DC given to rs_setdc (and the printer DC) may be a surface, a window or a
 * printer DC from include/rsw32_platform.h; a handle that is not a live device draws
 * nothing, and copies into the library's own memory DC (rs_getdc) draw nothing either.
 *
 * rs_vbpaste puts the region's lower-left pixel (minx, maxy) on device point (x, y).
 * rs_vbscale maps the region onto the device rectangle dminx..dmaxx, dminy..dmaxy: rows
 * and columns are dropped or repeated (device pixel k from the start takes region pixel
 * k * region extent / device extent), never blended. The device extent is dmaxx - dminx
 * + 1; when dmaxx < dminx it is negative, covers dminx + extent .. dminx - 1 and mirrors
 * the region (so dminx = 10, dmaxx = -1 mirrors into columns 0..9); likewise for y.
 * Regions are not trusted to lie inside the buffer: paste, scale and print show only the
 * part of the region inside the buffer, at the place that part has in the full mapping,
 * and leave the rest of the destination untouched. Nothing is written outside the device.
 * Coordinate differences wrap around in 32 bits, so absurd rectangles draw nothing useful
 * but nothing outside the device either.
 *
 * rs_vbprint converts the page rectangle with the printer's resolution and paper size
 * (units 1..6; any other value means device pixels); a printer DC that reports a paper
 * size of 0 prints nothing in units 2..6. Printing outside a page (before rs_printer(10)
 * or after rs_printer(1)) draws nothing. rs_printer(10) while a page is open carries on
 * with that page; while a document is open (after rs_printer(1)) it starts the next page
 * of the same document. rs_printer(2) or (11) also ends a page still open. Printer DCs are
 * released by rs_printer(2); surfaces and windows given to rs_printdc are never released.
 *
 * rs_vb2clip cuts the region to the buffer first and returns -1 when nothing is left.
 * Its bitmap is the header (40 bytes; 40 plus three masks in the short header form at 16
 * and 32 bits, otherwise the 108-byte form), at 8 bits the 256 RGB quads of the palette,
 * then the rows from the region's bottom row up, each padded with 0xFF bytes to a multiple
 * of 4; 1024 bytes beyond the header are reserved at every depth.
 * rs_clip2vb returns -1 when the region does not meet the buffer (nothing done) or the
 * clipboard cannot be opened, -2 when it holds no bitmap or one too short for what its
 * header describes (fewer bytes than header, masks, colour table and rows, or a width or
 * height below 1), -3 when the bitmap's bits per pixel differ from the buffer's depth.
 * It writes only the part of the region inside the buffer, with the bitmap's lower-left
 * corner on (minx, maxy). At 16 and 32 bits, masks that follow a 40-byte header with
 * bit-field compression are skipped: the rows start after them, as rs_vb2clip writes
 * them. Flags: 1 keeps the palette, 2 keeps the bitmap on the clipboard.
 */
RS_API int rs_setdc(RS_HDC dc);
RS_API RS_HDC rs_getdc(void);
RS_API int rs_sethpage(int handle);
RS_API int rs_vbpaste(int minx, int maxx, int miny, int maxy, int x, int y);
RS_API int rs_vbscale(int minx, int maxx, int miny, int maxy, int dminx, int dmaxx, int dminy, int dmaxy);
RS_API int rs_vbprint(int minx, int maxx, int miny, int maxy, int pminx, int pmaxx, int pminy, int pmaxy,
                      int units);
RS_API int rs_printer(int request); /* 10 start, 1 end page, 2 or 11 end; 0, -1, -2, -3, -4 */
RS_API int rs_printdc(RS_HDC dc);
RS_API int rs_vb2clip(int minx, int maxx, int miny, int maxy);
RS_API int rs_clip2vb(int minx, int maxx, int miny, int maxy, int flags);

/* ---- Lines, cursor, dash patterns --------------------------------------------------- */

/* ---- Rectangles, boxes, page fills, scrolling --------------------------------------- */

/* ---- Circles, ellipses, arcs -------------------------------------------------------- */

/* ---- Polygons ----------------------------------------------------------------------- */

/* ---- Flood fill --------------------------------------------------------------------- */

/* ---- Block transfers between virtual buffers ---------------------------------------- */

/* ---- Stroke-text settings ----------------------------------------------------------- */
RS_API int rs_setangle(double degrees);
RS_API int rs_setratio(double ratio);   /* ignored unless ratio > 0 */
RS_API int rs_setsizew(double size);    /* ignored unless size > 0 */
RS_API int rs_setsize(int pixels);      /* ignored unless pixels > 0 */

#ifdef __cplusplus
}
#endif

#endif /* RSW32_H */
