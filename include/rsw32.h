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
 * An 8-bit buffer keeps the colour table kind (palette indices on a display of 8 bits or
 * fewer, RGB quads otherwise) that it was created with, also when the display changes.
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
 * an int becomes INT_MIN. rs_xview/rs_yview work in 32 bits except for the product of
 * the offset into the view and the port extent, which is 64-bit; the quotient truncates
 * toward zero. A degenerate viewport (zero view extent) maps every value to the port's
 * minimum.
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

/* ---- Palettes -----------------------------------------------------------------------
 * The library palette has 256 entries; rgb arrays hold (red, green, blue) byte triples.
 * A range start .. start + count - 1 names entries that may not exist: entries below 0
 * and past 255 are skipped, and the rest are done as usual, entry i always taking or
 * giving the triple at rgb + 3 * (i - start). So a range running past 255 stops at 255,
 * and nothing is read or written for the skipped entries. A count of 0 or less names no
 * entries. rs_setrgb and rs_getrgb ignore an index outside 0..255 (rs_getrgb then writes
 * nothing).
 * rs_setdacs and rs_setrgb do nothing without an active buffer; they also update the
 * active 8-bit buffer's colour table, the palette pixel table and the realized palette.
 * rs_defpal and rs_logpal fill the library palette and return a new platform palette
 * made from it, which the application owns. rs_logpal keeps the 20 static colours (the
 * system's on a display of 8 bits or fewer), puts count colours at start, and when
 * count < 236 makes the next 236 - count entries black (a negative count counts as 0).
 * rs_realize makes the palette the window DC's (rs_setdc) palette; the palette the DC
 * held before the first rs_realize is put back by rs_vbfin. Invalid palette handles and
 * a missing window DC are ignored.
 * rs_mapdacs turns count 6-bit triples into 8-bit ones (src may equal dst).
 */
RS_API int rs_setdacs(int start, int count, const unsigned char *rgb);
RS_API int rs_getdacs(int start, int count, unsigned char *rgb);
RS_API int rs_setrgb(int index, int red, int green, int blue);
RS_API int rs_getrgb(int index, int *red, int *green, int *blue);
RS_API RS_HPALETTE rs_defpal(void);
RS_API RS_HPALETTE rs_logpal(int start, int count, const unsigned char *rgb);
RS_API int rs_realize(RS_HPALETTE palette);
RS_API int rs_mapdacs(const unsigned char *src, unsigned char *dst, int count);
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

/* ---- Lines, cursor, dash patterns ---------------------------------------------------
 * Every line starts at the graphics cursor and leaves it at the target as passed, also
 * when nothing was drawn. Solid and XOR lines are clipped to the clip rectangle (cut to
 * the buffer) with cut points truncated toward zero; dashed lines are not clipped as a
 * line but draw only their pixels inside it, each pixel consuming one pattern bit (bit 15
 * first). Any 32-bit coordinates are accepted: differences and cut products are computed
 * exactly in wider arithmetic, so lines whose end points lie far apart (even at the
 * limits of int) are cut at their exact truncated intersections, and no coordinates make
 * the library write outside the buffer. Relative forms add with 32-bit wrap-around.
 * rs_polyline draws nothing for n <= 0 or a NULL array.
 */
RS_API int rs_move(int x, int y);
RS_API int rs_moverel(int dx, int dy);
RS_API int rs_movew(double x, double y);
RS_API int rs_moverw(double dx, double dy);
RS_API int rs_draw(int x, int y);
RS_API int rs_drawrel(int dx, int dy);
RS_API int rs_draww(double x, double y);
RS_API int rs_drawrw(double dx, double dy);
RS_API int rs_drawx(int x, int y);
RS_API int rs_drawrelx(int dx, int dy);
RS_API int rs_drawxw(double x, double y);
RS_API int rs_drawrxw(double dx, double dy);
RS_API int rs_dash(int x, int y, int pattern);
RS_API int rs_dashrel(int dx, int dy, int pattern);
RS_API int rs_dashw(double x, double y, int pattern);
RS_API int rs_dashrw(double dx, double dy, int pattern);
RS_API int rs_polyline(const int *vertices, int n);

/* ---- Rectangles, boxes, page fills, scrolling ---------------------------------------
 * rs_rect, rs_rectx and rs_drect ignore the clip rectangle but are cut to the buffer: a
 * rectangle partly outside fills only its part inside, one wholly outside or inverted
 * (minx > maxx or miny > maxy) fills nothing. rs_drect keeps its horizontal phase from
 * the rectangle's own minx where the buffer cuts it, and does nothing for a NULL matrix.
 * rs_box and rs_boxx draw nothing for an inverted rectangle or a box depth below 1.
 * rs_scroll works on the part of the region inside the buffer. A jump of at least the
 * region's height fills the whole region with the current colour in end-off mode and
 * does nothing in circular mode. Circular mode uses the hidden page only when it is
 * allocated, is not the active buffer, has the active buffer's depth and holds |jump|
 * rows of maxx + 1 pixels; otherwise the vacated rows keep what they held.
 * rs_copypage does nothing for the same buffer twice. rs_invert does nothing for a NULL
 * map, width <= 0 or height < 2.
 * rs_gethpage returns the hidden page set by rs_sethpage (-1 after rs_vbinit).
 */
RS_API int rs_rect(int minx, int maxx, int miny, int maxy);
RS_API int rs_rectw(double minx, double maxx, double miny, double maxy);
RS_API int rs_rectx(int minx, int maxx, int miny, int maxy);
RS_API int rs_clprect(int minx, int maxx, int miny, int maxy);
RS_API int rs_clprectw(double minx, double maxx, double miny, double maxy);
RS_API int rs_clprectx(int minx, int maxx, int miny, int maxy);
RS_API int rs_box(int minx, int maxx, int miny, int maxy);
RS_API int rs_boxw(double minx, double maxx, double miny, double maxy);
RS_API int rs_boxx(int minx, int maxx, int miny, int maxy);
RS_API int rs_boxxw(double minx, double maxx, double miny, double maxy);
RS_API int rs_boxdepth(int xdepth, int ydepth);
RS_API int rs_drect(int minx, int maxx, int miny, int maxy, const unsigned char *matrix);
RS_API int rs_drectw(double minx, double maxx, double miny, double maxy, const unsigned char *matrix);
RS_API int rs_erase(void);
RS_API int rs_fillpage(void);
RS_API int rs_scroll(int minx, int maxx, int miny, int maxy, int jump, int type);
RS_API int rs_copypage(int source, int dest);
RS_API int rs_invert(unsigned char *map, int width, int height);
RS_API int rs_gethpage(void);

/* ---- Circles, ellipses, arcs --------------------------------------------------------
 * Centred on the graphics cursor, which none of them moves; clipped to the clip rectangle.
 * a and b are the horizontal and vertical semi-axes in pixels. A semi-axis or radius below
 * 1 or above 46340 draws nothing (it is not reduced). The midpoint boundary of a very
 * flat ellipse (a >= 8 * b * b) reaches the centre row before x = a, so its outline and
 * fill end short of the left and right tips.
 * Arc angles are tenths of a degree counterclockwise from the positive x axis: start in
 * 0..3599, end in 0..3600; start > end runs through angle 0, and 0..3600 is the whole
 * circle. An angle outside its range draws nothing (it is not reduced).
 * World forms convert lengths by the buffer's width along x and its height along y:
 * trunc(width / (world_maxx - world_minx) * length + 0.5); circles and arcs use x only.
 */
RS_API int rs_arc(int r, int start, int end);
RS_API int rs_arcw(double r, int start, int end);
RS_API int rs_circle(int r);
RS_API int rs_circlew(double r);
RS_API int rs_circlef(int r);
RS_API int rs_circlefw(double r);
RS_API int rs_ellipse(int a, int b);
RS_API int rs_ellipsew(double a, double b);
RS_API int rs_ellipsef(int a, int b);
RS_API int rs_ellipsfw(double a, double b);

/* ---- Polygons -----------------------------------------------------------------------
 * rs_polyfill fills convex polygons (work is not read). A polygon that is not monotone
 * in y is filled only down to the row where one of its boundary chains turns upward;
 * whatever the vertices, the fill stays inside the clip rectangle and ends. Vertex and
 * offset sums are taken in 64 bits, so they never wrap. n = INT_MIN fills nothing.
 * rs_polygon and rs_polygonw draw nothing for n <= 0 or NULL arrays.
 */
RS_API int rs_polygon(const int *x, const int *y, int n);
RS_API int rs_polygonw(const double *x, const double *y, int n);
RS_API int rs_polyfill(const int *vertices, int *work, int n);
RS_API int rs_polyedge(int flag);
RS_API int rs_polyoff(int dx, int dy);
RS_API int rs_inside(const int *vertices, int n, int x, int y);

/* ---- Flood fill ---------------------------------------------------------------------
 * Refills the area of the seed pixel's colour that is connected to the seed through
 * horizontal and vertical neighbours with the current colour. rs_flood keeps to the clip
 * rectangle, rs_paint ignores it and stops at the buffer edges. A seed outside the clip
 * rectangle (rs_flood) or outside the buffer (rs_paint) fills nothing; so does a seed that
 * already has the current colour. The fill writes and compares the value a single pixel
 * gets (rs_point): at 24 bits the top byte of the colour plays no part.
 * The seed stack lives on the heap and grows as needed; if memory runs out the fill stops
 * where it is, leaving part of the area filled.
 */
RS_API int rs_flood(int x, int y);
RS_API int rs_floodw(double x, double y);
RS_API int rs_paint(int x, int y);
RS_API int rs_paintw(double x, double y);

/* ---- Mode-specific images ------------------------------------------------------ */

/* ---- Block transfers between virtual buffers ----------------------------------------
 * The block minx..maxx, miny..maxy of buffer source lands in buffer dest with its bottom
 * row at newy and its left column at newx. The block is cut to the part whose source and
 * destination pixels both lie inside their buffers; an inverted block, a bad handle or
 * buffers of different depths copy nothing. Rows are copied bottom row first, so a copy
 * within one buffer is exact when the block moves down (or does not overlap itself).
 * rs_cut and rs_paste trust the arrays to hold the rectangle; they do nothing for a
 * NULL array, a negative x, y or large_width, or a width or height below 1.
 */
RS_API int rs_vbcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
RS_API int rs_vbtcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int tcolor, int source, int dest);
RS_API int rs_vbtccopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
RS_API int rs_vbtzcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
RS_API int rs_tcdefine(int index, int attribute);
RS_API int rs_cut(const unsigned char *large, unsigned char *small, int x, int y, int large_width, int width, int height);
RS_API int rs_paste(unsigned char *large, const unsigned char *small, int x, int y, int large_width, int width, int height);

/* ---- Monochrome bitmaps -------------------------------------------------------- */

/* ---- Direct-colour bitmaps ----------------------------------------------------- */

/* ---- Image transforms ---------------------------------------------------------- */

/* ---- Blending and photo adjustments -------------------------------------------- */

/* ---- Colour reduction ---------------------------------------------------------- */

/* ---- Stroke-text settings ----------------------------------------------------------- */
RS_API int rs_setangle(double degrees);
RS_API int rs_setratio(double ratio);   /* ignored unless ratio > 0 */
RS_API int rs_setsizew(double size);    /* ignored unless size > 0 */
RS_API int rs_setsize(int pixels);      /* ignored unless pixels > 0 */

#ifdef __cplusplus
}
#endif

#endif /* RSW32_H */
