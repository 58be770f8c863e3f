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
 * rs_vbdefine makes a buffer like rs_vballoc (same slots, depth and results) whose pixels
 * are the caller's memory: rows bottom-up, each the width rounded up to 4 pixels, so the
 * memory must hold rs_vbsize(width, height) bytes less the header (the caller's obligation;
 * NULL memory gives -2). It draws, opens and presents as any buffer; the memory DC of
 * rs_getdc does not hold it. The memory stays the caller's: rs_vbundef ends such a buffer
 * without touching it (0; -1 for a handle that is not a defined buffer, or the active one),
 * as does rs_vbfree, and it must stay valid until then.
 */
RS_API int rs_vbinit(void);
RS_API int rs_vbfin(void);
RS_API int rs_vbdepth(int bits);
RS_API int rs_vballoc(int width, int height);
RS_API int rs_vbdefine(void *memory, int width, int height);
RS_API int rs_vbundef(int handle);
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

/* ---- Textured fills -----------------------------------------------------------------
 * rs_texture(handle, flags) fills shapes with the pixels of a virtual buffer instead of the
 * current colour: the buffer is tiled over the screen from (0, 0), so screen pixel (x, y)
 * takes its pixel (x mod width, y mod height) and neighbouring shapes join seamlessly (a
 * small buffer is a pattern, a large one a texture). It serves the filled rectangles
 * (rs_rect, rs_clprect and their world forms, the sides of boxes, and with them the rows
 * rs_scroll uncovers), filled circles and ellipses and rs_polyfill; outlines, lines, XOR
 * forms, rs_fillpage and flood fills keep the colour (a flood tells filled pixels by it).
 * Flags 1: texture pixels of colour 0 (index 0, black; the low three bytes at 32 bits)
 * leave the shape's pixel as it was. A texture of another depth than the buffer drawn into,
 * or one freed since, fills with the colour. rs_texture(-1, 0) goes back to the colour, as
 * rs_vbinit does. Returns 0, or -1 (nothing changed) for a handle that is no buffer.
 */
RS_API int rs_texture(int handle, int flags);

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

/* ---- Mode-specific images ----------------------------------------------------------
 * An image array is width x height bytes, one palette index a pixel, rows packed, the
 * first row the picture's bottom row. It is placed with its lower-left corner at the
 * graphics cursor: row r at screen row cursor_y - r, byte i at column cursor_x + i (the
 * mirroring functions: cursor_x + width - 1 - i). At 8 bits the byte is the pixel (not
 * passed through the index map); at 16, 24 and 32 bits it is drawn as its entry of the
 * palette pixel table. The cursor does not move; every function returns 0.
 *  rs_drwimage  index 0 transparent          rs_putimage  every byte written
 *  rs_revimage  0 transparent, mirrored      rs_clpimage  0 transparent, clipped
 *  rs_flpimage  0 transparent, mirrored first, then clipped
 * rs_clpimage and rs_flpimage are cut to the clip rectangle; the others ignore it but are
 * cut to the buffer, so any placement draws only the part inside the buffer.
 * rs_getimage reads the rectangle at the cursor back into array in the same layout: at 8
 * bits the pixel, otherwise the lowest index whose palette pixel equals the whole pixel
 * (0 when none does; at 32 bits the fourth byte counts). Array entries whose pixel lies
 * outside the buffer are set to 0.
 * All do nothing without an active buffer, for a NULL array, or for width or height < 1.
 * rs_getline returns the address of screen row y of the active buffer, or NULL when no
 * buffer is active or y is outside 0..height - 1.
 */
RS_API int rs_drwimage(const unsigned char *array, int width, int height);
RS_API int rs_putimage(const unsigned char *array, int width, int height);
RS_API int rs_clpimage(const unsigned char *array, int width, int height);
RS_API int rs_revimage(const unsigned char *array, int width, int height);
RS_API int rs_flpimage(const unsigned char *array, int width, int height);
RS_API int rs_getimage(unsigned char *array, int width, int height);
RS_API void *rs_getline(int y);

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

/* ---- Monochrome bitmaps ------------------------------------------------------------
 * A monochrome bitmap is width BYTES by height rows, one bit a pixel, the most significant
 * bit of each byte leftmost; rows as image arrays (first row at cursor_y, then upward),
 * covering 8 * width columns from cursor_x. rs_drawmap and rs_clipmap draw every set bit
 * in the current colour and leave the pixels of clear bits alone; rs_clipmap is cut to
 * the clip rectangle, rs_drawmap to the buffer. rs_getmap sets exactly the bits whose
 * pixel equals the current colour (at 24 bits a colour value with a non-zero top byte
 * matches nothing; at 32 bits all four bytes count); bits of pixels outside the buffer are
 * cleared. Nothing happens without an active buffer, for a NULL map or width or height < 1.
 */
RS_API int rs_drawmap(const unsigned char *map, int width, int height);
RS_API int rs_clipmap(const unsigned char *map, int width, int height);
RS_API int rs_getmap(unsigned char *map, int width, int height);

/* ---- Direct-colour bitmaps ---------------------------------------------------------
 * A direct-colour bitmap (dcb) is laid out and placed like an image array, but each pixel
 * carries its colour: one RGB565 word in 16-bit buffers, three bytes blue, green, red in
 * 24- and 32-bit buffers (a 32-bit pixel's fourth byte is dropped on reading and written
 * as 0). Pixels whose bytes are all 0 (black) are transparent for rs_drawdcb, rs_revdcb
 * (mirrored), rs_clipdcb (clipped) and rs_flipdcb (mirrored, then clipped); rs_putdcb
 * writes every pixel. Clipping and cutting to the buffer, and rs_getdcb's 0 for pixels
 * outside the buffer, are as for image arrays. In 8-bit buffers, without an active
 * buffer, for a NULL array or width or height < 1 they do nothing.
 * rs_invdcb turns a dcb upside down in place (nothing when height < 2); rs_cutdcb and
 * rs_pastedcb are rs_cut and rs_paste counted in dcb pixels. These three need no open
 * buffer, only the depth of the last opened one (16, 24 or 32; other depths: nothing).
 * rs_transdcb converts count pixels between formats 15 (RGB555), 16 (RGB565) and 24 (blue,
 * green, red bytes). Narrowing keeps each channel's top bits; widening to 24 gives
 * floor(c * 255 / 31) or, for 6-bit green, floor(c * 255 / 63); 15 to 16 moves green up a
 * bit with a new low bit 0. source and dest may be the same array (any pair of formats);
 * other overlaps are not allowed. Nothing for NULL arrays, count < 1 or another format.
 */
RS_API int rs_getdcb(unsigned char *array, int width, int height);
RS_API int rs_putdcb(const unsigned char *array, int width, int height);
RS_API int rs_drawdcb(const unsigned char *array, int width, int height);
RS_API int rs_clipdcb(const unsigned char *array, int width, int height);
RS_API int rs_flipdcb(const unsigned char *array, int width, int height);
RS_API int rs_revdcb(const unsigned char *array, int width, int height);
RS_API int rs_invdcb(unsigned char *array, int width, int height);
RS_API int rs_cutdcb(const unsigned char *large, unsigned char *small, int x, int y, int large_width, int width, int height);
RS_API int rs_pastedcb(unsigned char *large, const unsigned char *small, int x, int y, int large_width, int width, int height);
RS_API int rs_transdcb(const unsigned char *source, unsigned char *dest, int source_format, int dest_format, int count);

/* ---- Image transforms ----------------------------------------------------------
 * Make a new picture in dest from the picture in source; no buffer is touched. Arrays are
 * packed rows, first row = bottom row. rs_scale, rs_shear and rs_rotate take image arrays
 * (1 byte a pixel); rs_scaledcb, rs_sheardcb and rs_rotdcb take dcbs of the depth of the
 * last opened buffer (2 bytes a pixel at 16 bits, 3 at 24 and 32) and do nothing at
 * other depths. Nearest pixel throughout; pixels of dest that map outside the source
 * (rotation) or lie outside the sheared rows (shearing) are 0.
 *  - rs_scale: dest is new_width x new_height.
 *  - rs_shear: type bit 1 clear shears horizontally into max(new_size, width) x height,
 *    set vertically into width x max(new_size, height); type bit 0 sets the direction
 *    (horizontal: set leans the upper rows right; vertical: clear raises the left side).
 *  - rs_rotate: by angle tenths of a degree, counterclockwise for positive angles, about
 *    the centre, into dest of exactly the size rs_rotsize gives. Any angle is accepted.
 * Results: 0 when done, and 0 without writing anything for a NULL array or a size below 1.
 * -1, and nothing written, for a request the library refuses: a source or dest picture of
 * more than 2^31 - 1 bytes; scaling where max(width, new_width) > 32799 or max(height,
 * new_height) > 49119; shearing more than 81919 rows (horizontal) or columns (vertical).
 * Scaling returns -2, and writes nothing, when it cannot get memory for its table of
 * column offsets (4 bytes a new column).
 * rs_rotsize stores the rotated size and returns 0, or returns -1 and stores nothing for a
 * NULL pointer, a width or height below 1 or a size that does not fit an int.
 * Source and dest must not overlap.
 */
RS_API int rs_rotate(const unsigned char *source, unsigned char *dest, int width, int height, int angle);
RS_API int rs_rotsize(int width, int height, int angle, int *new_width, int *new_height);
RS_API int rs_scale(const unsigned char *source, unsigned char *dest, int width, int height, int new_width, int new_height);
RS_API int rs_shear(const unsigned char *source, unsigned char *dest, int width, int height, int new_size, int type);
RS_API int rs_rotdcb(const unsigned char *source, unsigned char *dest, int width, int height, int angle);
RS_API int rs_scaledcb(const unsigned char *source, unsigned char *dest, int width, int height, int new_width, int new_height);
RS_API int rs_sheardcb(const unsigned char *source, unsigned char *dest, int width, int height, int new_size, int type);

/* ---- Blending and photo adjustments --------------------------------------------
 * Mixing: each channel becomes first x o + second x (255 - o), divided by 255 and rounded
 * to nearest; o is the opacity (rs_opacity keeps its low byte; 0 until first set, and not
 * reset by rs_vbinit) or an opacity array, one byte a pixel in dcb order. 16-bit pixels
 * are widened to 8-bit channels and narrowed again. Colour values are in the depth of the
 * last opened buffer: RGB565 at 16 bits, 0xRRGGBB at 24 and 32 (results have a top byte
 * of 0). At other depths (8 bits, or before any buffer was opened) rs_blend and
 * rs_blend50 take both values as palette indices, mix their palette colours and return
 * the nearest palette index (rs_blend50: the channel averages rounded down).
 * Dcbs are those of the active depth; the dcb forms and the buffer forms do nothing at
 * 8 bits, and the rgb forms (RGB triples, worked on in place) work at any depth.
 * Buffer forms (vb) work on the width x height rectangle whose lower-left corner is the
 * graphics cursor, rows upward, dcbs and opacity arrays walked bottom row first. They do
 * nothing without an active buffer or unless the whole rectangle lies inside the buffer
 * (it is not clipped). rs_blendvb/rs_blendvbv mix with the rectangle itself when second is
 * NULL; at 32 bits they keep each pixel's fourth byte.
 * Adjustments: contrast stretch maps low and below to 0, high and above to 255 and the
 * entries between on a ramp rounded to nearest (ties to even); it does nothing unless
 * low < high (any other low and high are accepted). Gamma maps channel c to 255 x
 * (c / 255)^gamma rounded to nearest; a negative, infinite or NaN gamma does nothing.
 * Greyscale puts round(0.299 r) + round(0.587 g) + round(0.114 b) in all three channels.
 * Negative complements every byte, at 32 bits the fourth byte of buffer pixels too; the
 * other adjustments keep that byte. The dcb forms read source and write dest (the same
 * array is fine). Counts, widths and heights below 1 and NULL arrays do nothing; all
 * return 0.
 */
RS_API int rs_opacity(int value);
RS_API int rs_blend(int color1, int color2);
RS_API int rs_blend50(int color1, int color2);
RS_API int rs_blenddcb(const unsigned char *first, const unsigned char *second, unsigned char *dest, int count);
RS_API int rs_blendvar(const unsigned char *first, const unsigned char *second, const unsigned char *opacity,
                       unsigned char *dest, int count);
RS_API int rs_blendvb(const unsigned char *first, const unsigned char *second, int width, int height);
RS_API int rs_blendvbv(const unsigned char *first, const unsigned char *second, const unsigned char *opacity,
                       int width, int height);
RS_API int rs_contrgb(unsigned char *array, int low, int high, int count);
RS_API int rs_contdcb(const unsigned char *source, unsigned char *dest, int low, int high, int count);
RS_API int rs_contvb(int low, int high, int width, int height);
RS_API int rs_gammargb(unsigned char *array, double gamma, int count);
RS_API int rs_gammadcb(const unsigned char *source, unsigned char *dest, double gamma, int count);
RS_API int rs_gammavb(double gamma, int width, int height);
RS_API int rs_grayrgb(unsigned char *array, int count);
RS_API int rs_graydcb(const unsigned char *source, unsigned char *dest, int count);
RS_API int rs_grayvb(int width, int height);
RS_API int rs_photorgb(unsigned char *array, int count);
RS_API int rs_photodcb(const unsigned char *source, unsigned char *dest, int count);
RS_API int rs_photovb(int width, int height);

/* ---- Colour reduction --------------------------------------------------------------
 * rs_reduce(start, count, palette): in the active 8-bit buffer, merges the palette indices
 * used inside the clip rectangle (cut to the buffer) until at most count remain, each
 * time the closest pair in palette (256 red, green, blue triples, squared distance) with
 * the index of fewer pixels going into the other; renumbers the survivors in index order
 * to start, start + 1, ..., moves their colours to those entries of palette (with start >
 * 0, entries outside start .. start + count - 1 become 0) and rewrites the pixels. The
 * library palette is not changed: pass palette to rs_setdacs. Does nothing without an
 * active 8-bit buffer, for a NULL palette, count < 1, start < 0 or start + count > 256.
 */
RS_API int rs_reduce(int start, int count, unsigned char *palette);

/* ---- Files: the image buffer -------------------------------------------------------
 * Every file reader and writer streams through the image buffer: a built-in 4096-byte
 * area, or caller memory given with rs_imagebuf(address, size), which stays the caller's
 * and must stay valid while it is in use. A size of 0 (also a negative size or a NULL
 * address) puts the built-in area back, as rs_vbinit does. Any size of at least 1 byte
 * works; a bigger one means fewer reads and writes. Blocks at least the image buffer's
 * size (long rows, the BMP writer's blocks of rows) go between the file and the picture
 * in one read or write of their own. With a reader's in-memory flag (4)
 * the image buffer holds the whole file, exactly its bytes, and no file is opened.
 * rs_imagesiz gives the bytes of a width x height direct-colour picture at the active
 * depth (3 a pixel at 24 and 32 bits, 2 at 16, 1 otherwise), or -1 for a negative side
 * or a size that does not fit an int.
 */
RS_API int rs_imagebuf(void *address, int size);
RS_API int rs_imagesiz(int width, int height);

/* ---- BMP files ----------------------------------------------------------------------
 * rs_bmphead copies the first 54 bytes of a file into header (54 bytes; NULL: nothing is
 * copied): 0, -1 when the file cannot be opened, -2 when it is shorter or lacks "BM".
 * rs_bmpsize reads width and height from such a header (16-bit fields of a 12-byte core
 * header, else the 32-bit ones; a top-down file gives its negative height); -1 and -1
 * without "BM". NULL out-pointers are skipped.
 * rs_bmppal returns the palette's colour count (palette bytes / 3 for a core header, / 4
 * otherwise; at most 256 are counted) and copies that many (red, green, blue) triples to
 * rgb unless it is NULL; -1 when the file cannot be opened, -2 when it is not a BMP file,
 * its headers are damaged or its palette is shorter than it claims (rgb is then untouched).
 * rs_showbmp(filename, flags) draws an uncompressed 1-, 4-, 8- or 24-bit file into the
 * active buffer. Flags: 1 leave the library palette alone; 2 top-left corner at the
 * graphics cursor instead of (0, 0); 4 the whole file is in the image buffer (filename
 * unused); 8 an 8-bit file into an 8-bit buffer keeps its colours 10..245 instead of being
 * reduced to 236 colours. 1- and 4-bit pixels become palette entries 10.. (colour + 10).
 * Results: 0 (also with nothing visible or no active buffer); 1 cannot open; 2 not a BMP
 * file, or a header size that is neither 12 nor 40 or more, or a pixel offset inside the
 * headers; 3 an unsupported depth (16 or 32 bits, any but 1, 4, 8, 24, or 24 bits into an
 * 8-bit buffer); 4 compressed; 5 no memory for the row buffer.
 * The picture is clipped to the buffer's edges (not to the clip rectangle) on all four
 * sides, so a cursor left of or above the buffer is safe. Top-down files (negative
 * height) are drawn the right way up. Only the visible rows are read; a file that ends
 * early draws its missing pixels black and stops reading there. A palette shorter than it
 * claims gives black for its missing entries; with 4- and 1-bit files as many entries as
 * the file has are set from entry 10.
 * rs_makebmp(minx, maxx, miny, maxy, bits, filename) writes the region as a new file
 * (replacing one of that name), rows padded with zeros: 24 bits from 16-, 24- and 32-bit
 * buffers (16-bit fields widened by truncation, f * 255 / 31 and f * 255 / 63); 8, 4 or
 * 1 bits from 8-bit buffers (all 256 colours; entries 10..25 with nibbles (index - 10) &
 * 15; entries 10 and 11 with bits index & 1). Results: 0; 1 no active buffer, another
 * combination of bits and depth, a region that is empty or not wholly inside the buffer,
 * or a file that cannot be created or written; 2 no memory for the row buffer. The file
 * is written beside its name and takes the name only when complete: on any failure an
 * existing file of that name stays as it was and no new file is left behind.
 */
RS_API int rs_bmphead(const char *filename, unsigned char *header);
RS_API int rs_bmpsize(const unsigned char *header, int *width, int *height);
RS_API int rs_bmppal(const char *filename, unsigned char *rgb);
RS_API int rs_showbmp(const char *filename, int flags);
RS_API int rs_makebmp(int minx, int maxx, int miny, int maxy, int bits, const char *filename);

/* ---- Files: JPEG decoding ----------------------------------------------------------
 * Baseline JPEG (8-bit samples, Huffman coding, one interleaved scan), grayscale or YCbCr
 * with sampling factors 1..4 where each chroma factor divides the luma factor (4:4:4,
 * 4:2:2, 4:2:0, 4:1:1, ...), restart intervals, into 16-, 24- and 32-bit buffers (32 bits:
 * the fourth byte of each pixel keeps its value). Chroma is replicated, not interpolated.
 * rs_jpeghead(filename, header): fills the 10-byte record (0xFFD8, width, height as
 *   16-bit values; component count; sampling bytes of component ids 1, 2, 3) from the
 *   first baseline frame header; 0, -1 the file cannot be opened, -2 not a JPEG file or no
 *   baseline frame header before the end.
 * rs_jpegsize(header, width, height): the record's size, or -1 and -1 when it does not
 *   start with 0xFFD8. Returns 0.
 * rs_showjpeg(filename, flags): decodes into the active buffer with the picture's
 *   top-left pixel at (0, 0), or at the graphics cursor with flag 2; flag 4 takes the file
 *   from the image buffer, which holds exactly its bytes, and ignores filename. What falls
 *   outside the buffer (also left of or above it) is not drawn and rows below it are not
 *   decoded. Results: 0 done, also when nothing was drawn (no active buffer, an 8-bit
 *   buffer, a picture wholly outside, EOI before any scan); 1 the file cannot be opened;
 *   2 it does not start with FF D8; 3 unsupported or malformed: progressive, extended,
 *   lossless or 12-bit frames, 16-bit quantization tables, component ids outside 1..3 or
 *   repeated, component counts other than 1 and 3, sampling factors outside 1..4 or that
 *   do not divide the first component's, Huffman tables that are not DC or AC table 0 or 1
 *   or whose counts overflow their code lengths or 256 symbols, a scan without a frame, or
 *   one naming other components than the frame's or a Huffman or quantization table no file
 *   has defined since rs_vbinit, a segment not starting with FF, data ending before the
 *   scan; 4 no memory for the decoder's working rows. Data that ends inside the scan ends
 *   the picture after the row of blocks in which it ran out (result 0). Huffman and
 *   quantization tables stay defined from one call to the next.
 * rs_jpegbuf(data, size): rs_showjpeg of the size bytes at data (caller memory of any
 *   size, the image buffer is neither used nor changed), with the picture's top-left
 *   pixel at the graphics cursor. Same results; 2 as well for a null data or size <= 0.
 * rs_jpegmem(header): bytes of working memory a decode of the picture described by a
 *   record from rs_jpeghead allocates (for the whole call), or -1 for a record without
 *   0xFFD8 or with a geometry the decoder refuses.
 */
RS_API int rs_jpeghead(const char *filename, unsigned char *header);
RS_API int rs_jpegsize(const unsigned char *header, int *width, int *height);
RS_API int rs_showjpeg(const char *filename, int flags);
RS_API int rs_jpegbuf(const void *data, int size);
RS_API int rs_jpegmem(const unsigned char *header);

/* ---- PCX files ----------------------------------------------------------------------
 * rs_pcxhead copies the 128-byte header into header (NULL: not copied): 0, -1 cannot open,
 * -2 shorter or byte 0 not 10. rs_pcxrange and rs_pcxsize read the window (16-bit fields)
 * and its size from such a header; -1 in every out-value when byte 0 is not 10 (NULL
 * out-pointers are skipped).
 * rs_pcxpal returns 16 (header colours; version below 5 or four planes), 0 (three planes)
 * or 256 (a final 769-byte palette starting with 12, else 16) and copies the colours to
 * rgb unless it is NULL; -1 cannot open, -2 not PCX.
 * rs_showpcx(filename, flags) draws 16-colour (four 1-bit planes), 24-bit (three 8-bit
 * planes), 256-colour (one 8-bit plane) and 2-colour files. Flags: 1 leave the palette
 * alone; 2 top-left corner at the graphics cursor instead of (xmin, ymin); 4 the image
 * buffer is exactly the file; 8 a 256-colour file into an 8-bit buffer keeps colours
 * 10..245 instead of being reduced to 236. In 8-bit buffers 16- and 2-colour pixels
 * become entries 10.. . Results: 0 (also with nothing visible or no active buffer);
 * 1 cannot open; 2 short header, not PCX, or bytes per line too few for the width; 3 any
 * other plane and bit combination, or 24 bits into an 8-bit buffer; 4 no memory.
 * The picture is clipped to the buffer's four edges. Rows below the visible ones are not
 * decoded; pixel data that end early leave the rest of that row black and end the
 * picture.
 * rs_loadpcx(filename, array) decodes a 256-, 16- or 2-colour file into a caller image
 * array of width x height bytes (rs_pcxsize), bottom row first, each byte the pixel's
 * colour number in the file (0..255, 0..15, 0..1: the entries of rs_pcxpal); nothing is
 * drawn and no palette is set. A NULL filename takes the file from the image buffer
 * (which is then exactly the file). Results as rs_showpcx (3 for a 24-bit file); 1 also
 * for a NULL array. Pixel data that end early leave the rest of the array 0.
 * rs_makepcx(minx, maxx, miny, maxy, filename) writes the region run-length encoded:
 * 8-bit buffers as 256-colour files (even bytes per line, the library palette at the
 * end), others as 24-bit files (16-bit fields widened by truncation). Results: 0; 1 no
 * active buffer, a region that is empty, not wholly inside the buffer or beyond 65535,
 * or a file that cannot be created or written; 2 no memory. As with rs_makebmp, a file
 * takes its name only when complete.
 */
RS_API int rs_pcxhead(const char *filename, unsigned char *header);
RS_API int rs_pcxrange(const unsigned char *header, int *minx, int *maxx, int *miny, int *maxy);
RS_API int rs_pcxsize(const unsigned char *header, int *width, int *height);
RS_API int rs_pcxpal(const char *filename, unsigned char *rgb);
RS_API int rs_showpcx(const char *filename, int flags);
RS_API int rs_loadpcx(const char *filename, unsigned char *array);
RS_API int rs_makepcx(int minx, int maxx, int miny, int maxy, const char *filename);

/* ---- FLI/FLC animation --------------------------------------------------------------
 * The context is a caller-owned record of 16 bytes (little-endian): 0 the open file (16
 * bits), 2 the position of the next frame (32 bits; 128 after opening, kept up to date in
 * memory mode only), 6 frames, 8 width, 10 height (16 bits each, from the header), 12 the
 * frame delay in clock units of 55 ms, 14 memory mode (1 when the last rs_flicplay had
 * flag 4). The delay is speed x 1429 / 5500 for FLI files (speed in 1/70 s) and speed / 55
 * for FLC files (milliseconds), at most 65535.
 * rs_flichead: 0 when the file's first 128 bytes (copied to header, 128 bytes; NULL: not
 * copied) are an FLI or FLC header, -2 when they are short or of another type, -1 when
 * the file cannot be opened.
 * rs_flicopen: 0 with the file open and the context filled; -2 (file closed) for a short
 * or foreign header; -1 when the file cannot be opened or context is NULL.
 * rs_flicdone: closes the context's file and clears its file field, so a second call does
 * nothing. Returns 0.
 * rs_flicsize: 0 and the header's width and height, or -1 and -1, -1 for a header that is
 * not FLI or FLC (or NULL). Null out-pointers are not written.
 * rs_flicskip: frames < 0 goes back to the first frame (0); otherwise passes up to frames
 * frame chunks (prefix chunks pass uncounted) and returns how many; anything else, a
 * chunk smaller than its own header or one that runs past the data stops the walk.
 * rs_flicplay: plays up to frames frames into the active buffer and returns how many were
 * played. Flags: 1 no delay after frames; 2 the animation's corner at the graphics cursor
 * instead of (0, 0); 4 memory mode, the whole file in the image buffer, read from the
 * stored position; 8 (8-bit buffers) file colours 10..245 go to entries 10..245 as they
 * are instead of the palette being fitted into them; 16 palette chunks are ignored.
 * Palette chunks set the library palette at once at 16/24/32 bits; at 8 bits each is
 * fitted into entries 10..245 by merging the closest colours. Pixels outside the
 * animation's area or outside the buffer are dropped, wherever the corner lies. A frame
 * whose sub-chunks do not fit it ends playing uncounted (pixels it drew stay); the end of
 * the data, a chunk past it, or a chunk of another kind ends playing. Until the first
 * palette chunk the 8-bit colour map is the identity. In memory mode the walk stays
 * inside the image buffer; in file mode a frame is taken whole into memory once its size
 * is known to lie inside the file.
 * rs_showflic: opens the file (returning rs_flicopen's error), then plays frame by frame,
 * each scaled over the client area of the focus window, until the Escape key is down or
 * loops passes are played (0: without end); each new pass starts at the second frame,
 * which the ring frame at the end leads back to. A pass that plays no frame ends it.
 */
RS_API int rs_flichead(const char *filename, unsigned char *header);
RS_API int rs_flicopen(const char *filename, void *context);
RS_API int rs_flicdone(void *context);
RS_API int rs_showflic(const char *filename, int loops, int flags);
RS_API int rs_flicsize(const unsigned char *header, int *width, int *height);
RS_API int rs_flicskip(void *context, int frames);
RS_API int rs_flicplay(void *context, int frames, int flags);

/* ---- 3D viewing state and projection ------------------------------------------------
 * One viewer and one object pose. View space is left-handed: x right, y up, z forward
 * away from the viewer. Matrices are 3 rows of 4 doubles, row-major (row 0 is m[0..3]);
 * column 3 is the translation and a point p maps to M * (p, 1). Point arrays are packed
 * (x, y, z) doubles; screen points packed (x, y) ints. Angles are ints in tenths of a
 * degree, any value (whole turns are removed exactly, as rs_trig does).
 * The view matrix V maps world to view (rows: the viewer's right, up, forward axes); the
 * object matrix O maps object to world; the combined matrix K = V * O is recomputed only
 * by object operations (rs_3Dsetobject, the *object motions) and by rs_3Dsetmatrix with
 * update set, so after a viewer motion rs_3Dtransformobject keeps the old view.
 * State after rs_vbinit (and before it): V, O, K identity, viewer and object at the
 * origin, up vector (0, 1, 0), projection scale 0 with centre (0, 0) (a point projects to
 * (0, 0) while x/z and y/z are finite), z-clip distances 1.0 and 1000.0, render state 0.
 * rs_vbinit puts these values back; nothing else resets them. None of this needs
 * a buffer; nothing here draws.
 *
 * rs_3Dpov places the viewer at (x, y, z) turned by Rx(xangle) * Ry(yangle) * Rz(zangle);
 * the combined matrix and the up vector stay.
 * rs_3Dgetpov stores the viewer position and forward axis; a NULL pointer is skipped.
 * rs_3Dbehindviewer returns 1 when the point's depth along the forward axis is below
 * distance, or when either is not a number; else 0.
 * rs_3Dgetmatrix / rs_3Dsetmatrix copy 12 doubles by selector: 0 object rotation
 * (translation read as 0), 1 object position (in m[3], m[7], m[11]), 2 whole object
 * matrix, 3 view rotation, 4 viewer offset (the negated viewer position, in m[3], m[7],
 * m[11]), 5 whole view matrix, 6 combined matrix. rs_3Dsetmatrix with update != 0 and
 * selector 0..5 then puts the position into O (0, 1) or recomputes V's translation from
 * the offset (3, 4), and recomputes K. Another selector or a NULL m does nothing.
 * rs_3Dproject maps view-space points to sx = round(x * (1/z) * scale) + centre_x and
 * sy = round(y * (1/z) * -scale) + centre_y, rounding half to even. z is not checked:
 * points with z < 0 come out mirrored through the centre. A coordinate that is not a
 * number (as for z = 0 with x = 0) or does not fit an int (z = 0, or a tiny z) is
 * stored as INT_MIN and the call returns -1 after projecting every point; otherwise 0.
 * Transform and project do nothing for n <= 0 or NULL arrays.
 * rs_3Dviewport sets scale = ratio * w and centre (minx + w / 2, miny + h / 2), rounded
 * down, from the inclusive rectangle (w = maxx - minx + 1, h likewise); the height only
 * places the centre. The rectangle may lie outside the buffer (primitives are clipped
 * when drawn). An inverted rectangle (maxx < minx or maxy < miny) returns -1 and keeps
 * the previous projection. The ratio is not checked: negative mirrors, 0 collapses.
 * rs_3Dsetzclip, rs_3Drenderstate and rs_3Dupvector store their values unchecked (a far
 * distance below the near one is kept as given). The up vector is read by rs_3Dlookat,
 * rs_3Drotate and rs_3Drotateobject.
 */
#define RS_PERSPECTIVE_TEXTURE 1u /* render state bits */
#define RS_WIREFRAME 2u
#define RS_ZBUFFER 4u
#define RS_ZCLIP 8u
RS_API int rs_3Dpov(double x, double y, double z, int xangle, int yangle, int zangle);
RS_API int rs_3Dgetpov(double *x, double *y, double *z, double *fx, double *fy, double *fz);
RS_API int rs_3Dbehindviewer(double x, double y, double z, double distance);
RS_API int rs_3Dgetmatrix(double *m, int which);
RS_API int rs_3Dsetmatrix(const double *m, int which, int update);
RS_API int rs_3Dproject(const double *in, int *out, int n);
RS_API int rs_3Drenderstate(unsigned int flags);
RS_API int rs_3Dsetzclip(double znear, double zfar);
RS_API int rs_3Dupvector(double x, double y, double z);
RS_API int rs_3Dviewport(int minx, int maxx, int miny, int maxy, double ratio);

/* ---- 3D motion of viewer and object -------------------------------------------------
 * Each viewer operation has an object twin (suffix `object`) doing the same to O; viewer
 * operations leave K alone, object operations recompute it. Distances are world units,
 * angles tenths of a degree.
 * rs_3Dmove / rs_3Dmoveobject put the pose at (x, y, z). rs_3Dmoveforward, -right, -up
 * move the viewer d along its own forward, right, up axis; the object forms move the
 * object d along minus the corresponding row of O.
 * rs_3Droll, rs_3Drotateright, rs_3Drotateup turn the pose about its forward, up and
 * right axis; the rotation is not re-orthonormalised, so many turns drift.
 * rs_3Dlookat places the viewer at (x, y, z) looking at (tx, ty, tz); rs_3Drotate(object)
 * aims the pose along (dx, dy, dz) keeping its position. The pose is upright toward the up
 * vector; when that is (nearly) parallel to the direction, or not a finite vector, the
 * world y axis is used instead, then the world z axis.
 * rs_3Daxisangle(object) replaces the rotation by angle about the axis (ax, ay, az);
 * about +y it turns the same way as rs_3Drotateright.
 * rs_3Dtransform / rs_3Dtransformobject write V * (p, 1) / K * (p, 1) for n points; out
 * may be the same array as in (other overlaps are not supported).
 * Results: 0. rs_3Dlookat, rs_3Drotate(object) and rs_3Daxisangle(object) return -1 and
 * change nothing when the direction or axis has a squared length below 1e-6 (the target
 * at the viewer's own position, a zero axis) or one that is not finite (NaN or infinite
 * input, or a length that overflows).
 */
RS_API int rs_3Daxisangle(double ax, double ay, double az, int angle);
RS_API int rs_3Daxisangleobject(double ax, double ay, double az, int angle);
RS_API int rs_3Dlookat(double x, double y, double z, double tx, double ty, double tz);
RS_API int rs_3Dmove(double x, double y, double z);
RS_API int rs_3Dmoveforward(double d);
RS_API int rs_3Dmoveforwardobject(double d);
RS_API int rs_3Dmoveobject(double x, double y, double z);
RS_API int rs_3Dmoveright(double d);
RS_API int rs_3Dmoverightobject(double d);
RS_API int rs_3Dmoveup(double d);
RS_API int rs_3Dmoveupobject(double d);
RS_API int rs_3Droll(int angle);
RS_API int rs_3Drollobject(int angle);
RS_API int rs_3Drotate(double dx, double dy, double dz);
RS_API int rs_3Drotateobject(double dx, double dy, double dz);
RS_API int rs_3Drotateright(int angle);
RS_API int rs_3Drotaterightobject(int angle);
RS_API int rs_3Drotateup(int angle);
RS_API int rs_3Drotateupobject(int angle);
RS_API int rs_3Dsetobject(double x, double y, double z, int xangle, int yangle, int zangle);
RS_API int rs_3Dtransform(const double *in, double *out, int n);
RS_API int rs_3Dtransformobject(const double *in, double *out, int n);

/* ---- 3D primitives ---------------------------------------------------------------------
 * World-space vertices (object space for the *object forms, through K instead of V) go
 * to view space; with RS_ZCLIP they are clipped at the near plane and a primitive wholly
 * beyond the far plane is rejected; then they are projected (rs_3Dproject) and drawn.
 * rs_3Dzclip(rgb, tm) clip a view-space polygon against z = near (a vertex is inside when
 * z > near) and return the vertex count written to out (room for 2n vertices), 0 for
 * n < 2, when every z > far or nothing is inside; the output starts at vertex 0 or the
 * cut before it. Cuts lie at t = (near - z_prev) / (z_cur - z_prev) with z = near;
 * colours become c_prev + round((c_cur - c_prev) t), integer texture coordinates are
 * rounded, float ones (rs_tmunits) stay floats.
 * rs_3Dline draws from the first to the second point (rs_drawz with RS_ZBUFFER, else
 * rs_draw), the cursor first set to the first projected point; a line clipped away draws
 * nothing and leaves the cursor alone.
 * rs_3Dpolygon fills in the current colour (rs_polyfilz with RS_ZBUFFER, else rs_polyfill
 * of the facing polygon only) or, with RS_WIREFRAME, draws the closed outline (rs_drawz
 * edges with RS_ZBUFFER), ending on vertex 0 plus the polygon offsets. rs_3Dshade uses
 * rs_gouraud(z) with rgb per vertex; rs_3Dtexturemap the current texture with uv per
 * vertex: rs_texmap, rs_texmapz, and with RS_PERSPECTIVE_TEXTURE rs_texmapp, rs_texmappz.
 * Facing: without RS_ZBUFFER a filled polygon is drawn only when it faces the viewer, that
 * is when its vertices run clockwise as the viewer sees them (view x right, y up, looking
 * along +z), which is clockwise on the screen; with RS_ZBUFFER both windings are drawn.
 * Polygons with n < 2 or more than 65536 vertices, or NULL arrays, draw nothing. All 0.
 */
RS_API int rs_3Dline(double x1, double y1, double z1, double x2, double y2, double z2);
RS_API int rs_3Dpolygon(const double *xyz, int n);
RS_API int rs_3Dpolygonobject(const double *xyz, int n);
RS_API int rs_3Dshade(const double *xyz, const unsigned char *rgb, int n);
RS_API int rs_3Dshadeobject(const double *xyz, const unsigned char *rgb, int n);
RS_API int rs_3Dtexturemap(const double *xyz, const void *uv, int n);
RS_API int rs_3Dtexturemapobject(const double *xyz, const void *uv, int n);
RS_API int rs_3Dzclip(const double *in, double *out, int n);
RS_API int rs_3Dzcliprgb(const double *in, double *out, const unsigned char *rgb_in, unsigned char *rgb_out, int n);
RS_API int rs_3Dzcliptm(const double *in, double *out, const void *uv_in, void *uv_out, int n);

/* ---- Gouraud shading and z-buffer -----------------------------------------------------
 * A z-buffer is a block of 32-bit entries, one per pixel of the buffer drawn into, rows
 * bottom-up like the pixels and exactly width entries apart. rs_zballoc returns a
 * zero-filled block of width (rounded up to a multiple of 4) x height entries, or NULL
 * when width or height is below 1 or memory is short; rs_zbfree releases it (NULL and
 * addresses that are not live blocks from rs_zballoc are ignored). rs_zbopen binds a block
 * for all buffers, clears the active buffer's width x height entries and sets the frame
 * base to 0; rs_zbframe adds 2^24 to the frame base, and when that wraps to 0 (every
 * 256th frame) clears the entries again. Freeing the bound block does not unbind it.
 * A depth z (view space) becomes the depth value |1/z| in 8.24 fixed point, both parts
 * truncated (2^24 / z for z >= 1): nearer is larger. z = 0 and |z| <= 1/256 give
 * 0xFFFFFFFF; a NaN gives 0. A pixel is drawn only where frame base + depth value (32-bit
 * sum) is strictly greater than its entry, which then takes that sum; ties keep the pixel.
 * Depth-tested calls draw nothing unless the bound block is a live block from rs_zballoc
 * with at least width x height entries of the active buffer (one never bound, one freed,
 * one made for a smaller buffer).
 * The fills take n screen vertices xy (pairs of ints, the rs_polyoff offsets added), with
 * per vertex 3 colour bytes red, green, blue (rgb) and view-space triples (xyz, z read).
 * They walk the edges as rs_polyfill does for a convex polygon, but cover each row from
 * the left chain up to, not including, the right chain's x, and rows from the top vertex
 * down to, not including, the bottom vertex; colour (16.16) and depth values are
 * interpolated along the edges and spans with steps truncated toward zero; a colour is
 * written rounded to nearest (RGB565 from the rounded 5/6/5-bit parts at 16 bits).
 * rs_gouraud draws only rows where the chain of increasing vertex numbers lies right of
 * the other: polygons that run clockwise on the screen; rs_gouraudz and rs_polyfilz draw
 * both windings. rs_polyfilz fills in the current colour. rs_gouraud(z) draw nothing in
 * 8-bit buffers. Nothing is drawn for n < 2 or NULL arrays.
 * rs_drawz draws rs_draw's line (same clipping and pixels) with depth values interpolated
 * from zstart at the graphics cursor to zend at (x, y), then moves the cursor to (x, y),
 * drawn or not. All return 0.
 */
RS_API void *rs_zballoc(int width, int height);
RS_API int rs_zbfree(void *zb);
RS_API int rs_zbopen(void *zb);
RS_API int rs_zbframe(void);
RS_API int rs_polyfilz(const int *xy, const double *xyz, int n);
RS_API int rs_gouraud(const int *xy, const unsigned char *rgb, int n);
RS_API int rs_gouraudz(const int *xy, const unsigned char *rgb, const double *xyz, int n);
RS_API int rs_drawz(int x, int y, double zstart, double zend);

/* ---- Texture mapping ------------------------------------------------------------------
 * Textures are caller memory, width x height texels, rows top-down and exactly width
 * texels apart, in the format of the buffer drawn into: palette indices at 8 bits, RGB565
 * at 16, bytes blue, green, red at 24 and also at 32 bits (written as 0x00RRGGBB).
 * rs_tminit(count) makes a table of count free records (a second call replaces the
 * table); -1 for count outside 1..2^20 or short memory, else 0. rs_tmdefine stores a texture in the
 * first free record and returns its number; -1 when no record is free, there is no table,
 * texels is NULL, or a side is outside 1..32768. rs_tmselect makes a record in use the
 * current texture (others are ignored); rs_tmfree frees one record, or all for index < 0;
 * the current texture stays selected. rs_tmevict does nothing. rs_tmspan sets the
 * perspective run length (values below 1 are taken as 1; 32 at start), rs_tmtransparency
 * makes texels of value 0 (all three bytes at 24/32 bits) leave pixel and z-buffer entry
 * alone, rs_tmunits chooses texture coordinates as ints (0, the start) or floats (not 0),
 * in texels either way. rs_vbinit and rs_vbfin drop the table and the current texture.
 * The mappers fill like the fills above, with coordinates uv (pairs) per vertex in 16.16:
 * floats rounded to nearest (rs_texmapz: truncated), ints shifted. Affine mapping steps
 * them linearly; a span's coordinates start half a step and half a texel in, so pixel k
 * reads texel floor(u_k), floor(v_k). Perspective mapping interpolates u/z, v/z and 1/z
 * and divides at both ends of every run of rs_tmspan pixels, linear within the run.
 * rs_texmap and rs_texmapp draw clockwise polygons only, the z forms both windings;
 * rs_texmappz takes its depth values from the interpolated 1/z. Coordinates that leave
 * the texture are held to its edge texels. Nothing is drawn without a current texture,
 * for n < 2 or NULL arrays. All return 0.
 */
RS_API int rs_tminit(int count);
RS_API int rs_tmdefine(void *texels, int width, int height);
RS_API int rs_tmselect(int index);
RS_API int rs_tmfree(int index);
RS_API int rs_tmevict(void);
RS_API int rs_tmspan(int n);
RS_API int rs_tmtransparency(int flag);
RS_API int rs_tmunits(int flag);
RS_API int rs_texmap(const int *xy, const void *uv, int n);
RS_API int rs_texmapp(const int *xy, const void *uv, const double *xyz, int n);
RS_API int rs_texmapz(const int *xy, const void *uv, const double *xyz, int n);
RS_API int rs_texmappz(const int *xy, const void *uv, const double *xyz, int n);

/* ---- System-font text ---------------------------------------------------------------
 * rs_print draws the first count characters of string (Windows-1252) with the current
 * font, in a colour made from the current colour: at 8 bits the palette colour of the
 * current index, at 16 bits each 5-6-5 field widened as f * 255 / 31 (or / 63), at 24
 * and 32 bits the colour's red, green and blue. The glyphs go into the active buffer
 * (whichever device is the text DC), cut to the buffer but not to the clip rectangle;
 * only glyph pixels are written. An 8-bit pixel takes the palette index nearest that
 * colour (lowest index on ties); a 32-bit pixel's fourth byte is 0.
 * With w the text's width, the cell's top-left corner is placed at the graphics cursor
 * moved left by ((justify_x + 1) * w) >> 1 when justify_x >= 0, down by
 * ((justify_y + 1) * cell height) >> 1 when justify_y >= 0, and up by the line height
 * (cell height + external leading). The cursor then stays on that row and moves right
 * by w, but not past the buffer's width. Defaults (after rs_vbinit): justify -1, -1
 * (left, bottom: the text sits on the cursor row and the cursor ends a line higher).
 * String reading stops at count or at the terminating zero, whichever comes first; a
 * NULL string or a negative count does nothing; count 0 moves the cursor as for an empty
 * string. Without an active buffer the cursor still moves.
 * rs_fontload takes a stock font by the index of its stock object: 10 and 11 are fixed
 * pitch (DejaVu Sans Mono at 12 and 13 pixels), 12, 13, 14 and 17 variable pitch (DejaVu
 * Sans at 13, 16, 16 and 11 pixels), 16 fixed pitch at 16 pixels; any other index leaves
 * the font unchanged. Font metrics come from the font itself, so no text DC is needed.
 * rs_logfont takes a font from rsp_font_create (include/rsw32_platform.h) and returns 0,
 * or -1 (nothing changed) for a handle that is not a live font.
 * rs_fontdc records the text DC; rs_setdc also sets it. rs_justify stores each value as
 * a signed byte: -1 left / bottom, 0 centre, 1 right / top.
 */
RS_API int rs_fontdc(RS_HDC dc);
RS_API int rs_fontload(int index);
RS_API int rs_logfont(RS_HFONT font);
RS_API int rs_justify(int horizontal, int vertical);
RS_API int rs_print(const char *string, int count);

/* ---- Stroke text --------------------------------------------------------------------
 * Characters drawn as world-coordinate lines (rs_movew, rs_moverw, rs_draww, rs_drawrw)
 * in the current colour: text_size is the height of a capital in world units, text_ratio
 * stretches horizontally, text_angle turns the baseline counterclockwise. rs_initw sets
 * them to 1.0, 1.0 and 0.0. rs_setsizew and rs_setratio ignore values that are not
 * greater than 0 or not finite; rs_setsize(pixels) sets the world height of that many
 * rows, pixels * (world_maxy - world_miny) / maxy, ignored unless pixels > 0 and the
 * result is finite and greater than 0; rs_setangle takes degrees (times 3.14159 / 180,
 * no range reduction) and ignores values that are not finite.
 * rs_swchar draws with the first font (Roman simplex; its alternate set Greek) from the
 * graphics cursor: justify < 0 starts the text there, 0 centres it, > 0 ends it there;
 * the cursor ends at the end of the baseline. In the string, backslash v or backslash ^
 * draws the next character at half size half a size lower or higher; a backslash before
 * any other character switches the rest of the string between the sets and reads that
 * character in the new set. An underscore starts or ends an underline 0.3 * text_size
 * below the baseline; underscores take no room. rs_swlength measures what rs_swchar
 * would draw along the baseline. rs_swtext first overwrites each backslash in the
 * string with a space, then draws with the second font (Roman duplex) without escapes,
 * justified by rs_swlength of the changed string.
 * Strings are read up to count characters or the terminating zero, whichever comes
 * first; a NULL string or a negative count draws nothing and measures 0. Codes below 32
 * and above 127 (above 126 for rs_swtext) are skipped, as is a backslash escape cut off
 * by the end of the string. With no usable world mapping (a world window of zero,
 * infinite or undefined extent, or no buffer of more than one row and column opened)
 * nothing is drawn, the cursor stays and rs_swlength returns 0.
 */
RS_API int rs_setangle(double degrees);
RS_API int rs_setratio(double ratio);
RS_API int rs_setsizew(double size);
RS_API int rs_setsize(int pixels);
RS_API double rs_swlength(const char *string, int count);
RS_API int rs_swchar(const char *string, int count, int justify);
RS_API int rs_swtext(char *string, int count, int justify);

/* ---- Trigonometric lookup -----------------------------------------------------------
 * rs_trig stores the cosine and sine of angle (tenths of a degree, any int) from a table
 * of the nearest doubles to cos(k * 0.1 deg), k = 0..900; the 3D functions take their
 * cosines and sines from the same lookup. Whole turns are removed first: negative angles
 * gain turns up to 0..3599, larger ones lose them down to 1..3600, so 3600 stays 3600 and
 * gives the sine -0.0 where 0 gives +0.0. Exact values: 900 -> (0, 1), 1800 -> (-1, 0),
 * 2700 -> (0, -1). A NULL pointer is skipped. Returns 0.
 */
RS_API int rs_trig(int angle, double *cos_out, double *sin_out);

/* ---- Mouse, keyboard, timing ---------------------------------------------------------
 * Everything is polled from the host: the pointer and keys as they are now, in the window
 * that has the focus (see rsp_focus), which shows the last opened buffer stretched over its
 * client area. Positions are buffer coordinates, converted with rs_xclient/rs_yclient and
 * rs_xvb/rs_yvb.
 *
 * rs_mouseini: 1 with a mouse (pointer recorded as visible, pointer size 16), -1 without.
 * Until it has found a mouse the other mouse functions do nothing and return 0 (NULL for
 * rs_mouseptr), except rs_mousepos, which returns -1, and rs_mousesiz. rs_vbinit forgets
 * the mouse: call rs_mouseini after it.
 * rs_mousevis: bit 0 shows (1) or hides (0) the pointer; the host is asked only when it
 * differs from the last state asked for, so calls never pile up on its show counter.
 * rs_mousemov: moves the pointer to a buffer position; nothing without a focus window.
 * rs_mousepos: stores the pointer's buffer position and returns 0, or stores -1 in both and
 * returns -1 when the pointer is outside the buffer's area of the window (left of or above
 * the client area counts as outside, although truncation would make it column or row 0),
 * or there is no mouse or focus window. Null pointers are not written.
 * rs_mouselim: keeps the pointer inside the converted rectangle (the host's right and bottom
 * edges are exclusive, so it stops a client pixel short of maxx, maxy); minx > maxx or
 * miny > maxy releases it.
 * rs_mousesiz: 16 or 32 sets the pointer size rs_mouseptr reads; anything else is ignored.
 * rs_mouseptr: masks holds pointer-size rows of the AND mask, then as many of the XOR mask,
 * each row one 16- or 32-bit integer in the machine's byte order, leftmost pixel in the top
 * bit. They go into the top-left corner of a cursor of the host's size, transparent
 * elsewhere; a pointer larger than the host's cursor is cut to it. NULL for no masks or a
 * hot spot outside the cursor. Each call makes a new cursor, kept until the process ends:
 * make cursors once, not each frame.
 * rs_mousecur: shows a cursor from rs_mouseptr; NULL brings the host's arrow back, and a
 * handle that is no such cursor is ignored.
 * rs_kbtest: 0 asks whether any key is down, key numbers 4 to 255, so the left and right
 * buttons never count but the middle and extra buttons do; otherwise whether the key with
 * that set-1 scan code is down: 0x2A left shift, 0x36 right shift, 0x1D left and 0xE01D
 * right control, 0x38 left and 0xE038 right alt, 0xE048 the up arrow but 0x48 the keypad's 8
 * (0xE0-prefixed codes as 0xE0nn). Unknown codes give 0.
 * rs_getclock: the tick counter in clock units of 55 ms.
 * rs_waitfor: returns once units x 55 ms have passed; it sleeps rather than spins, and is
 * exact across the wrap of the tick counter. 0 or below returns at once.
 * rs_stall: count passes of 50 calls of an empty routine; 0 or below returns at once.
 * rs_measure: the rs_stall count lasting about one clock unit, from 65535 passes timed on
 * the tick counter: 65535 / whole units elapsed, or, when less than one unit elapsed (a
 * fast processor), 65535 x 55 / milliseconds elapsed; -1 when not a millisecond elapsed.
 */
RS_API int rs_mouseini(void);
RS_API int rs_mousevis(int state);
RS_API int rs_mousemov(int x, int y);
RS_API int rs_mousepos(int *x, int *y);
RS_API int rs_mouselim(int minx, int maxx, int miny, int maxy);
RS_API int rs_mousesiz(int size);
RS_API RS_HCURSOR rs_mouseptr(const void *masks, int hot_x, int hot_y);
RS_API int rs_mousecur(RS_HCURSOR cursor);
RS_API int rs_kbtest(int scan_code);
RS_API int rs_getclock(void);
RS_API int rs_waitfor(int units);
RS_API int rs_stall(int count);
RS_API int rs_measure(void);

/* ---- Display modes -------------------------------------------------------------------
 * Both hand the host a mode of width x height at bits per pixel (nothing else) and return
 * its result: 0 done (or possible), -1 refused, -2 the display has no such mode.
 * rs_modeset: bits 0 goes back to the mode the session started in, whatever width and
 * height are, and pauses 200 ms after; otherwise it pauses 200 ms, asks for the mode
 * (temporary when full_screen is not 0) and, if that fails, asks again for it to be kept.
 * On the window host a mode is taken by the focus window going full screen in it, and
 * going back takes it out of full screen; the headless host switches among the modes given
 * to rsp_display_modes, and without any it has no mode to switch to (-2; going back is 0).
 * rs_modetest: pauses 200 ms, then returns -1 when no mode of the display has that width,
 * height and depth, else asks the host whether the first such mode can be set.
 */
RS_API int rs_modeset(int width, int height, int bits, int full_screen);
RS_API int rs_modetest(int width, int height, int bits);

/* ---- Index map and alpha byte --------------------------------------------------------
 * The index map turns the colour index of rs_setcolor into the byte 8-bit drawing writes;
 * it is the identity after rs_vbinit. rs_defcolor sets entry index to value & 0xFF and
 * returns the entry it had (the current 8-bit colour follows at once when it is that
 * index); rs_getindex returns an entry. Both return -1 for an index outside 0..255.
 * rs_findrgb returns the palette index nearest to a colour (least squared distance in
 * red, green and blue, the lowest index on ties: what an 8-bit rs_setcolorrgb chooses).
 * rs_setalpha sets the byte that colours made from red, green and blue get above
 * 0xRRGGBB at 24 and 32 bits (0 after rs_vbinit) and returns the one it replaces.
 * rs_xalpha sets the fourth byte of every pixel inside the clip rectangle of the active
 * 32-bit buffer to alpha & 0xFF; rs_yalpha makes it 0 where the pixel's colour (its low 24
 * bits) is key & 0xFFFFFF and 255 elsewhere, a colour key turned into an alpha mask for
 * hosts that composite. Both return -1, touching nothing, unless a 32-bit buffer is active.
 */
RS_API int rs_defcolor(int index, int value);
RS_API int rs_getindex(int index);
RS_API int rs_findrgb(int red, int green, int blue);
RS_API int rs_setalpha(int alpha);
RS_API int rs_xalpha(int alpha);
RS_API int rs_yalpha(int key);

/* ---- 16.16 fixed point ---------------------------------------------------------------
 * rs_fixed: the nearest 16.16 value of a double (halves away from zero; NaN gives 0);
 * rs_float: a 16.16 value as a double (exact); rs_fixmul: a x b rounded to nearest;
 * rs_fixdiv: a / b truncated toward zero, b = 0 giving INT_MAX or INT_MIN by the sign of
 * a (0 / 0 gives 0). Results beyond 32 bits saturate to INT_MIN or INT_MAX. rs_fixtrig
 * stores the 16.16 cosine and sine of an angle in tenths of a degree, the values arcs and
 * image rotation use (65536 for 1), skipping NULL pointers; returns 0.
 */
RS_API int rs_fixed(double value);
RS_API double rs_float(int value);
RS_API int rs_fixmul(int a, int b);
RS_API int rs_fixdiv(int a, int b);
RS_API int rs_fixtrig(int tenths, int *cosine, int *sine);

/* ---- Screen distances in world units, memory --------------------------------------------
 * rs_xconvert and rs_yconvert give the world extent of a distance of pixels along x or y:
 * pixels x (world width) / (maxx + 1), the inverse of the length scaling that circles
 * use; 0 before a world window is set. rs_memavail returns the kilobytes of memory the
 * system reports as still available (at most INT_MAX; 0 where the host cannot tell).
 */
RS_API double rs_xconvert(int pixels);
RS_API double rs_yconvert(int pixels);
RS_API int rs_memavail(void);

/* ---- Pages ---------------------------------------------------------------------------
 * Page flipping between virtual buffers: rs_setpage(handle) shows buffer handle whole,
 * its top-left pixel at the window DC's (0, 0), without opening it (an 8-bit buffer shows
 * with the colour table it had when last opened), and remembers it as the visible page;
 * -1 for a handle not in use. rs_getpage returns the visible page, or -1 when there is
 * none or it has been freed. rs_pagesize stores the visible page's width and height
 * (NULL pointers skipped); -1 without a visible page.
 */
RS_API int rs_setpage(int handle);
RS_API int rs_getpage(void);
RS_API int rs_pagesize(int *width, int *height);

/* ---- Text in character cells ---------------------------------------------------------
 * The active buffer seen as rows of character cells of the current font: each cell is
 * the font's average character width across and its line height down, cell (0, 0) at the
 * top-left corner. rs_locate moves the text cursor to a row and column (-1, nothing moved,
 * for a negative one); rs_where stores it (NULL pointers skipped). rs_text draws count
 * characters of string (count < 0: up to its terminating 0; a 0 byte ends it early), each
 * in the cell at the text cursor with the current font and colour as rs_print draws, and
 * moves the cursor one cell on: to column 0 of the next row when a row has no whole cell
 * left, on '\n' (which draws nothing), and to column 0 on '\r'. Cells outside the buffer
 * draw nothing. The graphics cursor and the justification stay as they were. rs_vbinit
 * puts the text cursor at (0, 0). rs_getlines returns how many whole rows of cells the
 * active buffer holds (0 without one).
 */
RS_API int rs_locate(int row, int column);
RS_API int rs_where(int *row, int *column);
RS_API int rs_text(const char *string, int count);
RS_API int rs_getlines(void);

/* ---- Blocks and saved backgrounds ------------------------------------------------------
 * Rectangles of the active buffer in its own pixel bytes (1, 2, 3 or 4 a pixel), rows in
 * screen order (row miny first), each maxx - minx + 1 pixels, no padding: the caller's
 * block holds (maxx - minx + 1) x (maxy - miny + 1) pixels.
 * rs_getblock copies the rectangle into block, pixels outside the buffer as 0 bytes, and
 * returns the bytes written. rs_putblock writes block back, cut to the clip rectangle (the
 * block keeps its layout; rows and columns outside are skipped); returns 0. Both return -1
 * without a buffer, for a NULL block, an inverted rectangle or a block of more than
 * INT_MAX bytes.
 * rs_save keeps a copy of a rectangle of the active buffer in the library's memory; rs_restore
 * with the same rectangle puts the latest copy of it back (the part inside the buffer) and
 * drops it, so saves of one place unwind last first and saves of different places are
 * independent: save under each sprite, draw them, restore in any order. rs_save returns 0,
 * -1 as rs_getblock refuses, -2 without memory, -3 when 4096 saves are kept; rs_restore
 * returns 0, or -1 (nothing changed) when no save of that rectangle exists or the active
 * buffer's depth differs from the saved one (the save is kept). rs_savew and rs_restorew
 * take world rectangles, converted as rs_rectw converts them. rs_vbinit and rs_vbfin drop
 * every save.
 */
RS_API int rs_getblock(int minx, int maxx, int miny, int maxy, unsigned char *block);
RS_API int rs_putblock(int minx, int maxx, int miny, int maxy, const unsigned char *block);
RS_API int rs_save(int minx, int maxx, int miny, int maxy);
RS_API int rs_restore(int minx, int maxx, int miny, int maxy);
RS_API int rs_savew(double minx, double maxx, double miny, double maxy);
RS_API int rs_restorew(double minx, double maxx, double miny, double maxy);

/* ---- Masks -----------------------------------------------------------------------------
 * A mask is an image array (one byte a pixel, width x height, first row the bottom one at
 * the graphics cursor) whose bytes say where to draw, not what: rs_drawmask writes the
 * current colour where a byte is not 0, rs_revmask where it is 0; both are cut to the
 * buffer. rs_clipmask is rs_drawmask cut to the clip rectangle, rs_flipmask the same
 * mirrored left to right (as rs_flpimage mirrors). The cursor does not move; NULL masks
 * and sizes below 1 draw nothing. Returns 0.
 */
RS_API int rs_drawmask(const unsigned char *mask, int width, int height);
RS_API int rs_revmask(const unsigned char *mask, int width, int height);
RS_API int rs_clipmask(const unsigned char *mask, int width, int height);
RS_API int rs_flipmask(const unsigned char *mask, int width, int height);

/* ---- Transfers between depths --------------------------------------------------------------
 * rs_transfer copies a block between two buffers as rs_vbcopy does (same placement, cut
 * to both buffers, bottom row first), but the buffers may have different depths: each
 * pixel goes through its colour. Palette indices take their palette colour; 16-bit pixels
 * widen with rounding (as rs_unmaprgb); colours narrow to 16 bits by their top bits and to
 * 8 bits by the nearest palette index (as rs_findrgb); the fourth byte of 32-bit results
 * is 0. Buffers of the same depth copy their bytes unchanged. rs_tcxfer does the same but
 * skips the source pixels equal to the key set by rs_tcmask (compared as rs_vbtccopy
 * compares: the whole pixel, the low three bytes at 32 bits) and, like the keyed copies,
 * writes 32-bit pixels with a fourth byte of 0. The key is 0 after rs_vbinit. Bad
 * handles copy nothing. All return 0.
 */
RS_API int rs_transfer(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
RS_API int rs_tcxfer(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
RS_API int rs_tcmask(int key);

/* ---- Packed pictures and sprites ---------------------------------------------------------
 * Pictures with their transparent runs left out, made once and drawn fast at the graphics
 * cursor (lower-left corner, as image arrays are placed), cut to the clip rectangle; the
 * cursor does not move. A packed picture holds palette indices (0 transparent) and draws at
 * any depth as rs_drwimage draws; a sprite holds the pixels of one depth, the key of
 * rs_tcmask transparent (compared as rs_tcxfer compares), and draws by copying runs.
 * Layout (little-endian): 'R', 'S', 'P' (packed) or 'S' (sprite), bytes a pixel; width,
 * height, and the total bytes as 32-bit values; then the rows, bottom row first, each runs
 * of (skip, count) bytes with count pixels after them, ended by (0, 0).
 * rs_pack packs an image array; rs_makeppr packs a rectangle of the active buffer read as
 * rs_getimage reads it (colours no palette entry has give 0) and rs_makespr makes a sprite
 * of one; pixels outside the buffer are transparent. Each writes the picture to memory and
 * returns its bytes; with NULL memory it writes nothing and returns the bytes the call
 * would write (for the same array or buffer contents). -1: a NULL array, a side below 1
 * (an inverted rectangle), no active buffer, or a picture beyond INT_MAX bytes.
 * rs_showppr and rs_showspr draw one of bytes bytes (the caller's memory); rs_unpack writes
 * one back into an image array (0 where transparent) of width x height bytes and returns
 * that size (NULL array: only returns it). All three first check the whole picture and
 * return -1, touching nothing, for one that is damaged, of the wrong kind or longer than
 * bytes; rs_showspr also for a sprite of a depth other than the active buffer's. Drawing
 * without an active buffer returns 0.
 */
RS_API int rs_pack(const unsigned char *array, int width, int height, unsigned char *packed);
RS_API int rs_unpack(const unsigned char *packed, int bytes, unsigned char *array);
RS_API int rs_makeppr(int minx, int maxx, int miny, int maxy, unsigned char *packed);
RS_API int rs_showppr(const unsigned char *packed, int bytes);
RS_API int rs_makespr(int minx, int maxx, int miny, int maxy, unsigned char *sprite);
RS_API int rs_showspr(const unsigned char *sprite, int bytes);

/* ---- Pictures by their contents ----------------------------------------------------------
 * The first bytes of a picture choose its reader, whatever the file is called: "BM" a BMP
 * file (rs_showbmp), FF D8 a JPEG file (rs_showjpeg), 10 with a PCX version, encoding 1 and
 * 1, 2, 4 or 8 bits a plane a PCX file (rs_showpcx), and the FLI or FLC type at byte 4 an
 * animation, of which the first frame is played (as rs_flicplay plays it, without delay).
 * rs_dispfile shows the named file with its top-left corner at (x, y), setting the library
 * palette as its reader does; rs_displayp does the same and leaves the palette alone (the
 * picture takes the colours the palette has). The graphics cursor stays where it was.
 * rs_display shows a whole file held in caller memory (size bytes, read only; the image
 * buffer is not changed), flags as the readers take them: 1 leave the palette alone,
 * 2 top-left corner at the graphics cursor instead of the format's own place, 8 keep
 * colours 10..245 in 8-bit buffers.
 * Results: the reader's (0 shown, also when nothing is visible; 3 and above the reader's
 * refusals; 3 as well for an animation whose first frame cannot be played); 1 the file
 * cannot be opened; 2 not a picture of these kinds (also a NULL data or size <= 0).
 */
RS_API int rs_display(const void *data, int size, int flags);
RS_API int rs_dispfile(const char *filename, int x, int y);
RS_API int rs_displayp(const char *filename, int x, int y);

/* ---- Integer 3D models -------------------------------------------------------------------
 * Models kept as packed (x, y, z) ints, worked on with the pipeline's own matrices; each
 * result is rounded to the nearest int (ties to even) and held to the int range.
 * rs_view3d places the viewer at (x, y, z) turned by Rx(xangle) * Ry(yangle): rs_3Dpov
 * without roll. Returns 0.
 * rs_move3d adds (dx, dy, dz) to n points in place; rs_rotate3d turns them in place about
 * the origin by Rx(xangle) * Ry(yangle) * Rz(zangle), the rotation rs_3Dsetobject gives an
 * object. Both return 0, or -1 when a coordinate had to be held to INT_MIN or INT_MAX
 * (every point is still done); nothing for NULL points or n <= 0.
 * rs_project carries n world points (object points through the combined matrix when
 * object is not 0) into view space and onto the screen as rs_3Dproject does, writing n
 * (x, y) pairs to out. A point whose view z is not beyond the near distance of
 * rs_3Dsetzclip has no place on the screen: its pair is INT_MIN, INT_MIN and the call
 * returns -1 (also for a pair that does not fit an int, as rs_3Dproject); otherwise 0.
 */
RS_API int rs_view3d(int x, int y, int z, int xangle, int yangle);
RS_API int rs_move3d(int *points, int n, int dx, int dy, int dz);
RS_API int rs_rotate3d(int *points, int n, int xangle, int yangle, int zangle);
RS_API int rs_project(const int *points, int *out, int n, int object);

#ifdef __cplusplus
}
#endif

#endif /* RSW32_H */
