/**
 * @file rsw32.h
 * @brief rsw32: software raster graphics over off-screen virtual buffers.
 *
 * Every function has C linkage and works on one process-wide library state;
 * calls must come from one thread at a time. Typical use:
 *
 * @code
 *   rs_vbinit();  rs_vbdepth(32);  int vb = rs_vballoc(640, 480);  rs_vbopen(vb);
 *   rs_setcolorrgb(255, 0, 0);  rs_move(10, 10);  rs_draw(100, 50);
 *   rs_vbpaste(0, 639, 0, 479, 0, 479);   // after rs_setdc with a device
 *   rs_vbclose();  rs_vbfree(-1);  rs_vbfin();
 * @endcode
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
 *
 * Each function's comment says what it does, its arguments and their units, its result
 * codes, and under "Precondition" what it needs (an active buffer, a device, a world
 * window); the notes of its group give the rules the whole family shares.
 *
 * @defgroup core Library core
 * @brief Buffers, colours, clipping and world coordinates, palettes, presenting.
 * @defgroup draw Two-dimensional drawing
 * @brief Lines, rectangles, circles and arcs, polygons, fills.
 * @defgroup images Images and block transfers
 * @brief Pictures in caller memory and copies between buffers.
 * @defgroup files Image and animation files
 * @brief BMP, PCX, JPEG, FLI/FLC and AVI readers and writers.
 * @defgroup three_d Three-dimensional pipeline
 * @brief Viewer and object, projection, 3D lines and polygons.
 * @defgroup raster Polygon rasterizers
 * @brief Gouraud shading, z-buffer and texture mapping.
 * @defgroup services Input, text, timing and numbers
 * @brief Mouse, keyboard and clock, system-font and stroke text, display modes, lookups.
 */
#ifndef RSW32_H
#define RSW32_H

/** Marks the functions the shared library exports. */
#if defined(_WIN32)
#  if defined(RSW32_BUILD) || defined(RSW32_STATIC)
#    define RS_API /* the DLL's module-definition file names its exports; or the archive */
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

typedef void *RS_HDC;      /**< A device context: memory DC, surface, window or printer page. */
typedef void *RS_HPALETTE; /**< A platform palette, owned by the application that made it. */
typedef void *RS_HFONT;    /**< A font: a stock font or one from rsp_font_create. */
typedef void *RS_HCURSOR;  /**< A mouse pointer shape made by rs_mouseptr. */

/** @defgroup state Library state queries and version
 *  @ingroup core
 *  @{ */
/** Largest x of the last opened buffer, its width less one.
 * @return width - 1 (kept after rs_vbclose), or -1 before any buffer was opened. */
RS_API int rs_getmaxx(void);   /* width - 1 of the last opened buffer; -1 before any */
/** Largest y of the last opened buffer, its height less one.
 * @return height - 1 (kept after rs_vbclose), or -1 before any buffer was opened. */
RS_API int rs_getmaxy(void);
/** Horizontal position of the graphics cursor, in screen pixels.
 * @return The cursor's x. */
RS_API int rs_getxpos(void);
/** Vertical position of the graphics cursor, in screen pixels.
 * @return The cursor's y. */
RS_API int rs_getypos(void);
/** Width in pixels of the left and right sides that rs_box and rs_boxx draw (1 after rs_vbinit).
 * @return The value set by rs_boxdepth. */
RS_API int rs_getxbox(void);
/** Height in pixels of the top and bottom sides that rs_box and rs_boxx draw (1 after rs_vbinit).
 * @return The value set by rs_boxdepth. */
RS_API int rs_getybox(void);
/** Horizontal justification of rs_print: -1 left, 0 centre, 1 right.
 * @return The value set by rs_justify, read as a signed byte (-1 after rs_vbinit). */
RS_API int rs_getxjust(void);
/** Vertical justification of rs_print: -1 bottom, 0 centre, 1 top.
 * @return The value set by rs_justify, read as a signed byte (-1 after rs_vbinit). */
RS_API int rs_getyjust(void);
/** Colour depth of the last opened buffer.
 * @return 8, 16, 24 or 32 bits per pixel (kept after rs_vbclose). */
RS_API int rs_getdepth(void);
/** Bits per pixel of the library's high-colour format, RGB565.
 * @return Always 16. */
RS_API int rs_gethcbpp(void);  /* always 16 */
/** Stores the library's version in *major and *minor; NULL pointers are skipped.
 * @return 0. */
RS_API int rs_version(int *major, int *minor);

/** @} */

/** @defgroup vbuf Virtual buffers
 *  @ingroup core
 * 256 slots, handles 0..255. Widths are rounded up to a multiple of 4 pixels; rows are
 * stored bottom-up. rs_vballoc returns the lowest free slot, -1 when all are in use, -2
 * when the buffer cannot be created: width or height below 1, a creation depth other
 * than 8, 16, 24 or 32, or a buffer whose bytes (pixels and header) do not fit in 31 bits.
 * An 8-bit buffer keeps the colour table kind (palette indices on a display of 8 bits or
 * fewer, RGB quads otherwise) that it was created with, also when the display changes.
 * rs_vbdefine makes a buffer like rs_vballoc (same slots, depth and results) whose pixels
 * are the caller's memory: rows bottom-up, each the width rounded up to 4 pixels, so the
 * memory must hold ((width + 3) & ~3) x bytes a pixel x height bytes (the caller's
 * obligation; NULL memory gives -2). That is rs_vbsize(width, height) less the header
 * (rs_vbsize(width, 0)) when the width is a multiple of 4; rs_vbsize rounds each row to 4
 * bytes only, which at 16 and 24 bits is less for other widths. It draws, opens and presents as any buffer; the memory DC of
 * rs_getdc does not hold it. The memory stays the caller's: rs_vbundef ends such a buffer
 * without touching it (0; -1 for a handle that is not a defined buffer, or the active one),
 * as does rs_vbfree, and it must stay valid until then.
 * @{
 */
/** Starts or restarts the library: no buffer active and every slot free (buffers of an earlier
 * start are forgotten, not released: free them first), creation depth 8, and every family's
 * settings at their start values; the palette and the world window keep theirs. Call it once
 * before anything else.
 * @return 0. */
RS_API int rs_vbinit(void);
/** Ends the library: no buffer active, saves and the texture table dropped, the palette the
 * window DC had before the first rs_realize put back, and the AVI library let go: AVI contexts
 * still open are ended as rs_avidone ends them (a file being made is completed with the frames
 * written so far), and their records name nothing afterwards. Buffers are not released: call
 * rs_vbfree(-1) first.
 * @return 0. */
RS_API int rs_vbfin(void);
/** Sets the colour depth, in bits per pixel (8, 16, 24 or 32; 8 after rs_vbinit), of the buffers
 * rs_vballoc and rs_vbdefine make from now on.
 * @return 0. */
RS_API int rs_vbdepth(int bits);
/** Creates a buffer of width x height pixels at the depth set by rs_vbdepth, all pixels 0.
 * @return Its handle (the lowest free slot, 0..255); -1 when all slots are in use; -2 when it
 *  cannot be created. */
RS_API int rs_vballoc(int width, int height);
/** Creates a buffer of width x height pixels whose pixels are the caller's memory (see the group
 * notes for its layout).
 * @return Its handle; -1 when all slots are in use; -2 for NULL memory or a size that cannot be
 *  made. */
RS_API int rs_vbdefine(void *memory, int width, int height);
/** Ends a buffer made by rs_vbdefine without touching its memory.
 * @return 0; -1 for a handle that is not such a buffer, or the active one. */
RS_API int rs_vbundef(int handle);
/** Makes buffer handle the active buffer, which all drawing goes to; it takes the library palette
 * as it is now and its own clip rectangle.
 * @return 0; -1 for a handle outside 0..255; -2 for a free slot. */
RS_API int rs_vbopen(int handle);
/** Leaves no buffer active; rs_getmaxx, rs_getmaxy and rs_getdepth keep their values.
 * @return 0. */
RS_API int rs_vbclose(void);
/** Releases buffer handle, or every buffer for a negative handle. The active buffer is never
 * released: close it first (while one is active, a negative handle releases nothing).
 * @return 0. */
RS_API int rs_vbfree(int handle);
/** Bytes a buffer of width x height pixels takes at the depth set by rs_vbdepth, pixel rows (each
 * rounded up to 4 bytes) and header together.
 * @return The byte count. */
RS_API int rs_vbsize(int width, int height);
/** Address of the pixels of buffer handle: its bottom row, since rows are stored bottom-up.
 * @return The address; NULL for a free slot or a handle outside 0..255. */
RS_API void *rs_vbaddr(int handle); /* bottom row of the buffer; NULL for a free slot */
/** Handle of the active buffer.
 * @return 0..255, or -1 when no buffer is active. */
RS_API int rs_vbhandle(void);
/** Rewrites the active 8-bit buffer's colour table from the library palette, for a buffer that was
 * not active when the palette changed. Nothing at other depths.
 * @return 0. */
RS_API int rs_vbcolors(void);

/** @} */

/** @defgroup color Colours and single pixels
 *  @ingroup core
 * Colour values are in the active depth's encoding: a palette index at 8 bits, RGB565 at
 * 16, 0xRRGGBB at 24 and 0xAARRGGBB at 32. The current colour is prepared for the depth
 * of the last opened buffer; set it again after opening a buffer of another depth.
 * rs_putpixel and rs_getpixel do not clip; a point outside the active buffer is ignored
 * (rs_getpixel returns 0 for it).
 * @{
 */
/** Sets the current colour from a colour value in the active depth's encoding (a palette index at 8
 * bits, passed through the index map).
 * @pre The depth of the last opened buffer decides the encoding.
 * @return 0. */
RS_API int rs_setcolor(int color);
/** Sets the current colour from red, green and blue (0..255 each): the nearest palette index at 8
 * bits, else the colour encoded for the depth.
 * @pre The depth of the last opened buffer decides the encoding.
 * @return 0. */
RS_API int rs_setcolorrgb(int red, int green, int blue);
/** The current colour as given to rs_setcolor (or made by rs_setcolorrgb).
 * @return The colour value. */
RS_API int rs_getcolor(void);
/** Encodes red, green and blue (0..255 each) as a colour value of the last opened buffer's depth,
 * without changing the current colour.
 * @return RGB565 at 16 bits, 0xRRGGBB at 24 and 32 bits, the nearest palette index at 8. */
RS_API int rs_maprgb(int red, int green, int blue);
/** Decodes a colour value of the last opened buffer's depth into red, green and blue (0..255;
 * 16-bit fields widened with rounding). Writes nothing at 8 bits.
 * @return 0. */
RS_API int rs_unmaprgb(int value, int *red, int *green, int *blue); /* writes nothing at 8 bits */
/** Sets pixel (x, y) to the current colour, clipped to the clip rectangle.
 * @pre An active buffer (without one nothing is drawn).
 * @return 0. */
RS_API int rs_point(int x, int y);
/** Sets the pixel at world point (x, y) to the current colour, clipped.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_pointw(double x, double y);
/** XORs pixel (x, y) with the current colour, clipped to the clip rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_pointx(int x, int y);
/** XORs the pixel at world point (x, y) with the current colour, clipped.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_pointxw(double x, double y);
/** Reads pixel (x, y) of the active buffer, ignoring the clip rectangle.
 * @pre An active buffer.
 * @return The pixel's value in the depth's encoding; 0 for a point outside the buffer or without a
 *  buffer. */
RS_API int rs_getpixel(int x, int y);
/** Sets pixel (x, y) to the current colour, ignoring the clip rectangle; a point outside the buffer
 * is ignored.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_putpixel(int x, int y);

/** @} */

/** @defgroup clip Clipping, viewports, client mapping, world coordinates
 *  @ingroup core
 * The clip rectangle is stored as given, unordered and unclamped. Drawing clips to the
 * part of it that lies inside the active buffer, so a rectangle reaching outside the
 * buffer never lets a pixel be written outside it.
 * World conversions truncate toward zero; a result that is not a number or does not fit
 * an int becomes INT_MIN. rs_xview/rs_yview work in 32 bits except for the product of
 * the offset into the view and the port extent, which is 64-bit; the quotient truncates
 * toward zero. A degenerate viewport (zero view extent) maps every value to the port's
 * minimum.
 * @{
 */
/** Sets the clip rectangle that clipped drawing keeps to, in screen pixels, inclusive; stored as
 * given and kept with the active buffer.
 * @return 0. */
RS_API int rs_setclip(int minx, int maxx, int miny, int maxy);
/** Sets the clip rectangle from world coordinates, converted as rs_xscreen and rs_yscreen convert
 * them.
 * @return 0. */
RS_API int rs_setclipw(double minx, double maxx, double miny, double maxy);
/** Stores the clip rectangle as it was set (NULL pointers skipped).
 * @return 0. */
RS_API int rs_getclip(int *minx, int *maxx, int *miny, int *maxy);
/** Sets the viewport mapping used by rs_xview and rs_yview: the view rectangle is mapped onto the
 * port rectangle, both inclusive.
 * @return 0. */
RS_API int rs_setview(int view_minx, int view_maxx, int view_miny, int view_maxy,
                      int port_minx, int port_maxx, int port_miny, int port_maxy);
/** Stores the view and port rectangles of rs_setview (NULL pointers skipped).
 * @return 0. */
RS_API int rs_getview(int *view_minx, int *view_maxx, int *view_miny, int *view_maxy,
                      int *port_minx, int *port_maxx, int *port_miny, int *port_maxy);
/** Maps x from the view rectangle to the port rectangle of rs_setview.
 * @return The mapped x. */
RS_API int rs_xview(int x);
/** Maps y from the view rectangle to the port rectangle of rs_setview.
 * @return The mapped y. */
RS_API int rs_yview(int y);
/* Client mapping between the last opened buffer and the client area of the device that has
 * the focus (see rsp_focus). Products are 64-bit, quotients truncate toward zero and are
 * kept to 32 bits. All four return -1 when no device has the focus, and for a buffer or
 * client width or height of 0 (no buffer opened yet, an empty client area) instead of
 * dividing by zero. */
/** Converts a buffer x into a client-area x of the focus device.
 * @return The client x; -1 without a focus device or with an empty buffer or client area. */
RS_API int rs_xclient(int x);
/** Converts a buffer y into a client-area y of the focus device.
 * @return The client y; -1 as for rs_xclient. */
RS_API int rs_yclient(int y);
/** Converts a client-area x of the focus device into a buffer x.
 * @return The buffer x; -1 as for rs_xclient. */
RS_API int rs_xvb(int x);
/** Converts a client-area y of the focus device into a buffer y.
 * @return The buffer y; -1 as for rs_xclient. */
RS_API int rs_yvb(int y);
/** Resets the world window to zeros, the world cursor to (0, 0) and the stroke-text size, ratio and
 * angle to 1.0, 1.0 and 0.0. Call it once before using world coordinates.
 * @return 0. */
RS_API int rs_initw(void);
/** Sets the world window: world x from minx to maxx spans the buffer's width, world y from miny
 * (bottom) to maxy (top) its height.
 * @return 0. */
RS_API int rs_setworld(double minx, double maxx, double miny, double maxy);
/** Stores the world window (NULL pointers skipped).
 * @return 0. */
RS_API int rs_getworld(double *minx, double *maxx, double *miny, double *maxy);
/** Converts a world x to a screen x of the last opened buffer, truncating toward zero.
 * @return The screen x; INT_MIN when the result is not a number or does not fit an int. */
RS_API int rs_xscreen(double x);
/** Converts a world y to a screen y of the last opened buffer (y up becomes y down), truncating
 * toward zero.
 * @return The screen y; INT_MIN as for rs_xscreen. */
RS_API int rs_yscreen(double y);
/** Converts a screen x of the last opened buffer to a world x.
 * @return The world x. */
RS_API double rs_xworld(int x);
/** Converts a screen y of the last opened buffer to a world y.
 * @return The world y. */
RS_API double rs_yworld(int y);

/** @} */

/** @defgroup palette Palettes
 *  @ingroup core
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
 * @{
 */
/** Sets count palette entries from start to the (red, green, blue) triples at rgb, 0..255 each, and
 * brings the active buffer's colours up to date.
 * @pre An active buffer (without one nothing changes).
 * @return 0. */
RS_API int rs_setdacs(int start, int count, const unsigned char *rgb);
/** Copies count palette entries from start into rgb as (red, green, blue) triples.
 * @return 0. */
RS_API int rs_getdacs(int start, int count, unsigned char *rgb);
/** Sets palette entry index (0..255) to red, green, blue (0..255 each) and brings the active
 * buffer's colours up to date.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_setrgb(int index, int red, int green, int blue);
/** Stores the red, green and blue of palette entry index (0..255); nothing for another index.
 * @return 0. */
RS_API int rs_getrgb(int index, int *red, int *green, int *blue);
/** Fills the library palette with the default colours and makes a platform palette of them.
 * @return The new palette, owned by the caller. */
RS_API RS_HPALETTE rs_defpal(void);
/** Fills the library palette with count colours at start between the 20 static colours and makes a
 * platform palette of it.
 * @return The new palette, owned by the caller. */
RS_API RS_HPALETTE rs_logpal(int start, int count, const unsigned char *rgb);
/** Selects and realizes palette in the window DC given to rs_setdc.
 * @pre A window DC; an invalid handle is ignored.
 * @return 0. */
RS_API int rs_realize(RS_HPALETTE palette);
/** Turns count 6-bit (red, green, blue) triples at src into 8-bit ones at dst; src may equal dst.
 * @return 0. */
RS_API int rs_mapdacs(const unsigned char *src, unsigned char *dst, int count);
/** Colour depth of the display.
 * @return Bits per pixel (15 is reported as 16). */
RS_API int rs_colors(void); /* display bits per pixel; 15 is reported as 16 */

/** @} */

/** @defgroup present Presenting, printing, clipboard
 *  @ingroup core
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
 * released by rs_printer(2), also one that stays set after rs_printer(10) returned -3 or
 * -2 (no document could be started); surfaces and windows given to rs_printdc are never
 * released.
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
 * @{
 */
/** Sets the device that rs_vbpaste, rs_vbscale and rs_setpage show on, and the text DC; NULL sets
 * none.
 * @return 0. */
RS_API int rs_setdc(RS_HDC dc);
/** The library's own memory device context, which holds the active buffer for platform drawing
 * calls.
 * @return The memory DC. */
RS_API RS_HDC rs_getdc(void);
/** Names buffer handle the hidden page, the scratch buffer of rs_scroll's circular mode (stored as
 * given).
 * @return 0. */
RS_API int rs_sethpage(int handle);
/** Copies the region minx..maxx, miny..maxy of the active buffer unscaled onto the window DC, its
 * lower-left pixel at device point (x, y).
 * @pre An active buffer and a device set with rs_setdc.
 * @return 0. */
RS_API int rs_vbpaste(int minx, int maxx, int miny, int maxy, int x, int y);
/** Copies the region of the active buffer onto the device rectangle dminx..dmaxx, dminy..dmaxy,
 * repeating or dropping rows and columns (a reversed rectangle mirrors).
 * @pre An active buffer and a device set with rs_setdc.
 * @return 0. */
RS_API int rs_vbscale(int minx, int maxx, int miny, int maxy, int dminx, int dmaxx, int dminy, int dmaxy);
/** Prints the region of the active buffer onto the page rectangle pminx..pmaxx, pminy..pmaxy, in
 * units 1..6 of the printer (another value: device pixels).
 * @pre An active buffer and a page opened with rs_printer(10).
 * @return 0. */
RS_API int rs_vbprint(int minx, int maxx, int miny, int maxy, int pminx, int pmaxx, int pminy, int pmaxy,
                      int units);
/** Drives the print job: request 10 starts a page (and a document when none is open), 1 ends the
 * page, 2 or 11 ends the document. Other requests do nothing.
 * @return 0 done; -1 no default printer; -2 the document cannot be started; -3 the printer cannot
 *  stretch bitmaps; -4 the printer DC cannot be created. */
RS_API int rs_printer(int request); /* 10 start, 1 end page, 2 or 11 end; 0, -1, -2, -3, -4 */
/** Sets the printer DC that rs_printer and rs_vbprint use instead of the default printer's.
 * @return 0. */
RS_API int rs_printdc(RS_HDC dc);
/** Puts the region of the active buffer on the clipboard as a device-independent bitmap (with the
 * palette at 8 bits).
 * @pre An active buffer (without one nothing is done).
 * @return 0; -1 when nothing of the region is inside the buffer or the clipboard cannot be opened;
 *  -2 without memory. */
RS_API int rs_vb2clip(int minx, int maxx, int miny, int maxy);
/** Copies the clipboard's bitmap into the region of the active buffer, its lower-left corner on
 * (minx, maxy); flags 1 keep the palette, 2 keep the clipboard.
 * @pre An active buffer of the bitmap's depth.
 * @return 0; -1, -2 or -3 as listed in the group notes. */
RS_API int rs_clip2vb(int minx, int maxx, int miny, int maxy, int flags);

/** @} */

/** @defgroup lines Lines, cursor, dash patterns
 *  @ingroup draw
 * Every line starts at the graphics cursor and leaves it at the target as passed, also
 * when nothing was drawn. Solid and XOR lines are clipped to the clip rectangle (cut to
 * the buffer) with cut points truncated toward zero; dashed lines are not clipped as a
 * line but draw only their pixels inside it, each pixel consuming one pattern bit (bit 15
 * first). Any 32-bit coordinates are accepted: differences and cut products are computed
 * exactly in wider arithmetic, so lines whose end points lie far apart (even at the
 * limits of int) are cut at their exact truncated intersections, and no coordinates make
 * the library write outside the buffer. Relative forms add with 32-bit wrap-around.
 * rs_polyline draws nothing for n <= 0 or a NULL array.
 * @{
 */
/** Moves the graphics cursor to (x, y), screen pixels.
 * @return 0. */
RS_API int rs_move(int x, int y);
/** Moves the graphics cursor by (dx, dy) pixels.
 * @return 0. */
RS_API int rs_moverel(int dx, int dy);
/** Moves the world cursor, and the graphics cursor with it, to world point (x, y).
 * @return 0. */
RS_API int rs_movew(double x, double y);
/** Moves the world cursor, and the graphics cursor with it, by (dx, dy) world units.
 * @return 0. */
RS_API int rs_moverw(double dx, double dy);
/** Draws a line in the current colour from the graphics cursor to (x, y), clipped, and moves the
 * cursor there.
 * @pre An active buffer (without one only the cursor moves).
 * @return 0. */
RS_API int rs_draw(int x, int y);
/** Draws a line from the graphics cursor to the point (dx, dy) pixels away and moves the cursor
 * there.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_drawrel(int dx, int dy);
/** Draws a line from the world cursor to world point (x, y) and moves both cursors there.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_draww(double x, double y);
/** Draws a line from the world cursor by (dx, dy) world units and moves both cursors there.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_drawrw(double dx, double dy);
/** Draws an XOR line (each pixel XORed with the current colour) from the graphics cursor to (x, y)
 * and moves the cursor there.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_drawx(int x, int y);
/** Draws an XOR line from the graphics cursor by (dx, dy) pixels and moves the cursor there.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_drawrelx(int dx, int dy);
/** Draws an XOR line from the world cursor to world point (x, y) and moves both cursors there.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_drawxw(double x, double y);
/** Draws an XOR line from the world cursor by (dx, dy) world units and moves both cursors there.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_drawrxw(double dx, double dy);
/** Draws a dashed line from the graphics cursor to (x, y): each pixel takes the next bit of the
 * 16-bit pattern, bit 15 first, and is drawn when it is set. Moves the cursor there.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_dash(int x, int y, int pattern);
/** Draws a dashed line from the graphics cursor by (dx, dy) pixels with the 16-bit pattern and
 * moves the cursor there.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_dashrel(int dx, int dy, int pattern);
/** Draws a dashed line from the world cursor to world point (x, y) with the 16-bit pattern and
 * moves both cursors there.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_dashw(double x, double y, int pattern);
/** Draws a dashed line from the world cursor by (dx, dy) world units with the 16-bit pattern and
 * moves both cursors there.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_dashrw(double dx, double dy, int pattern);
/** Draws lines through n vertices, (x, y) int pairs with the polygon offsets added, leaving the
 * cursor on the last.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_polyline(const int *vertices, int n);

/** @} */

/** @defgroup rect Rectangles, boxes, page fills, scrolling
 *  @ingroup draw
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
 * @{
 */
/** Fills the rectangle minx..maxx, miny..maxy (inclusive) with the current colour, or the texture
 * of rs_texture; cut to the buffer, not to the clip rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_rect(int minx, int maxx, int miny, int maxy);
/** Fills a rectangle given in world coordinates, as rs_rect.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_rectw(double minx, double maxx, double miny, double maxy);
/** XORs every pixel of the rectangle with the current colour; cut to the buffer, not to the clip
 * rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_rectx(int minx, int maxx, int miny, int maxy);
/** Fills the rectangle with the current colour (or texture), clipped to the clip rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_clprect(int minx, int maxx, int miny, int maxy);
/** Fills a rectangle given in world coordinates, clipped to the clip rectangle.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_clprectw(double minx, double maxx, double miny, double maxy);
/** XORs the rectangle with the current colour, clipped to the clip rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_clprectx(int minx, int maxx, int miny, int maxy);
/** Draws the outline of the rectangle, its sides rs_getxbox pixels wide and rs_getybox pixels high,
 * clipped.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_box(int minx, int maxx, int miny, int maxy);
/** Draws the outline of a rectangle given in world coordinates, as rs_box.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_boxw(double minx, double maxx, double miny, double maxy);
/** Draws the outline of the rectangle in XOR, no pixel XORed twice, clipped.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_boxx(int minx, int maxx, int miny, int maxy);
/** Draws the XOR outline of a rectangle given in world coordinates, as rs_boxx.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_boxxw(double minx, double maxx, double miny, double maxy);
/** Sets the thickness of box sides: xdepth pixels for the left and right ones, ydepth for the top
 * and bottom ones (1 and 1 after rs_vbinit).
 * @return 0. */
RS_API int rs_boxdepth(int xdepth, int ydepth);
/** Fills the rectangle of an 8-bit buffer with a dither matrix of 8 bytes (two pixels for each of
 * four rows), cut to the buffer. Nothing at other depths.
 * @pre An active 8-bit buffer.
 * @return 0. */
RS_API int rs_drect(int minx, int maxx, int miny, int maxy, const unsigned char *matrix);
/** Fills a rectangle given in world coordinates with a dither matrix, as rs_drect.
 * @pre An active 8-bit buffer and a world window.
 * @return 0. */
RS_API int rs_drectw(double minx, double maxx, double miny, double maxy, const unsigned char *matrix);
/** Sets every byte of the active buffer to 0 (palette index 0, or black), ignoring the clip
 * rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_erase(void);
/** Fills the whole active buffer with the current colour, ignoring the clip rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_fillpage(void);
/** Scrolls the rows of the region by jump rows (jump > 0 moves the content down, jump < 0 up); type
 * 0 is circular (the rows pushed out come back in at the other end, through the hidden page), any
 * other type end-off (the vacated rows take the current colour).
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_scroll(int minx, int maxx, int miny, int maxy, int jump, int type);
/** Copies all pixel bytes of buffer source over buffer dest when their rows have the same length in
 * bytes and the same count. The active buffer plays no part.
 * @return 0. */
RS_API int rs_copypage(int source, int dest);
/** Reverses the order of the height rows of width bytes of an image array in place, turning it
 * between top-down and bottom-up order. No buffer is needed.
 * @return 0. */
RS_API int rs_invert(unsigned char *map, int width, int height);
/** The hidden page set by rs_sethpage.
 * @return Its handle, or -1 after rs_vbinit. */
RS_API int rs_gethpage(void);

/** @} */

/** @defgroup ellipse Circles, ellipses, arcs
 *  @ingroup draw
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
 * @{
 */
/** Draws an arc of radius r pixels around the graphics cursor from angle start to end (tenths of a
 * degree, counterclockwise from the positive x axis), clipped.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_arc(int r, int start, int end);
/** Draws an arc of world radius r around the graphics cursor, as rs_arc.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_arcw(double r, int start, int end);
/** Draws a circle of radius r pixels around the graphics cursor, clipped.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_circle(int r);
/** Draws a circle of world radius r around the graphics cursor.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_circlew(double r);
/** Fills a circle of radius r pixels around the graphics cursor with the current colour (or
 * texture), clipped.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_circlef(int r);
/** Fills a circle of world radius r around the graphics cursor.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_circlefw(double r);
/** Draws an ellipse with semi-axes a (horizontal) and b (vertical) pixels around the graphics
 * cursor, clipped.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_ellipse(int a, int b);
/** Draws an ellipse with world semi-axes a and b around the graphics cursor.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_ellipsew(double a, double b);
/** Fills an ellipse with semi-axes a and b pixels around the graphics cursor with the current
 * colour (or texture), clipped.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_ellipsef(int a, int b);
/** Fills an ellipse with world semi-axes a and b around the graphics cursor.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_ellipsfw(double a, double b);

/** @} */

/** @defgroup polygon Polygons
 *  @ingroup draw
 * rs_polyfill fills convex polygons (work is not read). A polygon that is not monotone
 * in y is filled only down to the row where one of its boundary chains turns upward;
 * whatever the vertices, the fill stays inside the clip rectangle and ends. Vertex and
 * offset sums are taken in 64 bits, so they never wrap. n = INT_MIN fills nothing.
 * rs_polygon and rs_polygonw draw nothing for n <= 0 or NULL arrays.
 * @{
 */
/** Draws the closed outline of n vertices given as separate x and y arrays, screen pixels.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_polygon(const int *x, const int *y, int n);
/** Draws the closed outline of n world-coordinate vertices given as separate x and y arrays.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_polygonw(const double *x, const double *y, int n);
/** Fills a convex polygon of n vertices, (x, y) int pairs with the polygon offsets added, in the
 * current colour (or texture), clipped; work is not read and may be NULL.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_polyfill(const int *vertices, int *work, int n);
/** Sets the edge flag of rs_polyfill and rs_inside: 1 (after rs_vbinit) ends each span before the
 * right chain and counts the bottom row in rs_inside; 0 takes one more pixel at the second chain's
 * end (the right edge of clockwise polygons).
 * @return 0. */
RS_API int rs_polyedge(int flag);
/** Sets the offsets (dx, dy) added to every screen vertex by the polygon routines and the
 * rasterizers ((0, 0) after rs_vbinit).
 * @return 0. */
RS_API int rs_polyoff(int dx, int dy);
/** Tests whether point (x, y) lies in the convex polygon of n vertices as rs_polyfill would fill
 * it, offsets and edge rule included.
 * @return 1 inside, 0 outside. */
RS_API int rs_inside(const int *vertices, int n, int x, int y);

/** @} */

/** @defgroup texfill Textured fills
 *  @ingroup draw
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
 * @{
 */
/** Fills later shapes with the pixels of buffer handle tiled over the screen instead of the current
 * colour; flags 1 makes its colour 0 transparent; handle -1 goes back to the colour.
 * @return 0; -1 for a handle that is no buffer. */
RS_API int rs_texture(int handle, int flags);

/** @} */

/** @defgroup flood Flood fill
 *  @ingroup draw
 * Refills the area of the seed pixel's colour that is connected to the seed through
 * horizontal and vertical neighbours with the current colour. rs_flood keeps to the clip
 * rectangle, rs_paint ignores it and stops at the buffer edges. A seed outside the clip
 * rectangle (rs_flood) or outside the buffer (rs_paint) fills nothing; so does a seed that
 * already has the current colour. The fill writes and compares the value a single pixel
 * gets (rs_point): at 24 bits the top byte of the colour plays no part.
 * The seed stack lives on the heap and grows as needed; if memory runs out the fill stops
 * where it is, leaving part of the area filled.
 * @{
 */
/** Flood-fills from seed (x, y) with the current colour the area of the seed's colour connected to
 * it, kept to the clip rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_flood(int x, int y);
/** Flood-fills from world point (x, y), as rs_flood.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_floodw(double x, double y);
/** Flood-fills from seed (x, y) as rs_flood, but up to the buffer edges instead of the clip
 * rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_paint(int x, int y);
/** Flood-fills from world point (x, y), as rs_paint.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_paintw(double x, double y);

/** @} */

/** @defgroup image Mode-specific images
 *  @ingroup images
 * An image array is width x height bytes, one palette index a pixel, rows packed, the
 * first row the picture's bottom row. It is placed with its lower-left corner at the
 * graphics cursor: row r at screen row cursor_y - r, byte i at column cursor_x + i (the
 * mirroring functions: cursor_x + width - 1 - i). At 8 bits the byte is the pixel (not
 * passed through the index map); at 16, 24 and 32 bits it is drawn as its entry of the
 * palette pixel table. The cursor does not move; every function returns 0.
 *  - rs_drwimage: index 0 transparent;
 *  - rs_putimage: every byte written;
 *  - rs_revimage: 0 transparent, mirrored;
 *  - rs_clpimage: 0 transparent, clipped;
 *  - rs_flpimage: 0 transparent, mirrored first, then clipped.
 *
 * rs_clpimage and rs_flpimage are cut to the clip rectangle; the others ignore it but are
 * cut to the buffer, so any placement draws only the part inside the buffer.
 * rs_getimage reads the rectangle at the cursor back into array in the same layout: at 8
 * bits the pixel, otherwise the lowest index whose palette pixel equals the whole pixel
 * (0 when none does; at 32 bits the fourth byte counts). Array entries whose pixel lies
 * outside the buffer are set to 0.
 * All do nothing without an active buffer, for a NULL array, or for width or height < 1.
 * rs_getline returns the address of screen row y of the active buffer, or NULL when no
 * buffer is active or y is outside 0..height - 1.
 * @{
 */
/** Draws an image array of width x height palette indices with its lower-left corner at the
 * graphics cursor; index 0 is transparent. Cut to the buffer.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_drwimage(const unsigned char *array, int width, int height);
/** Draws an image array at the graphics cursor writing every byte, index 0 included. Cut to the
 * buffer.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_putimage(const unsigned char *array, int width, int height);
/** Draws an image array at the graphics cursor, index 0 transparent, clipped to the clip rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_clpimage(const unsigned char *array, int width, int height);
/** Draws an image array at the graphics cursor mirrored left to right, index 0 transparent. Cut to
 * the buffer.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_revimage(const unsigned char *array, int width, int height);
/** Draws an image array at the graphics cursor mirrored left to right, index 0 transparent, clipped
 * to the clip rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_flpimage(const unsigned char *array, int width, int height);
/** Reads the width x height rectangle whose lower-left corner is the graphics cursor into an image
 * array of palette indices.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_getimage(unsigned char *array, int width, int height);
/** Address of screen row y of the active buffer, for direct pixel access.
 * @pre An active buffer.
 * @return The row's first pixel; NULL without a buffer or for y outside 0..height - 1. */
RS_API void *rs_getline(int y);

/** @} */

/** @defgroup blit Block transfers between virtual buffers
 *  @ingroup images
 * The block minx..maxx, miny..maxy of buffer source lands in buffer dest with its bottom
 * row at newy and its left column at newx. The block is cut to the part whose source and
 * destination pixels both lie inside their buffers; an inverted block, a bad handle or
 * buffers of different depths copy nothing. Rows are copied bottom row first, so a copy
 * within one buffer is exact when the block moves down (or does not overlap itself).
 * rs_cut and rs_paste trust the arrays to hold the rectangle; they do nothing for a
 * NULL array, a negative x, y or large_width, or a width or height below 1.
 * @{
 */
/** Copies the block minx..maxx, miny..maxy of buffer source into buffer dest with its lower-left
 * corner at (newx, newy). Needs no active buffer.
 * @return 0. */
RS_API int rs_vbcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
/** Copies a block as rs_vbcopy, skipping source pixels equal to the colour value tcolor.
 * @return 0. */
RS_API int rs_vbtcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int tcolor, int source, int dest);
/** Copies a block as rs_vbcopy, skipping pixels whose palette index (at 16 bits and above, the
 * index whose palette pixel they equal) rs_tcdefine marked transparent.
 * @return 0. */
RS_API int rs_vbtccopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
/** Copies a block as rs_vbcopy, skipping source pixels that are 0 (index 0, or black).
 * @return 0. */
RS_API int rs_vbtzcopy(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
/** Marks palette index (taken modulo 256) transparent for rs_vbtccopy when the low 16 bits of
 * attribute are not all 0, opaque otherwise.
 * @return 0. */
RS_API int rs_tcdefine(int index, int attribute);
/** Copies the width x height rectangle at byte x of row y of image array large (large_width bytes a
 * row) into the packed array small. No buffer is needed.
 * @return 0. */
RS_API int rs_cut(const unsigned char *large, unsigned char *small, int x, int y, int large_width, int width, int height);
/** Copies the packed width x height array small into image array large (large_width bytes a row) at
 * byte x of row y. No buffer is needed.
 * @return 0. */
RS_API int rs_paste(unsigned char *large, const unsigned char *small, int x, int y, int large_width, int width, int height);

/** @} */

/** @defgroup mono Monochrome bitmaps
 *  @ingroup images
 * A monochrome bitmap is width BYTES by height rows, one bit a pixel, the most significant
 * bit of each byte leftmost; rows as image arrays (first row at cursor_y, then upward),
 * covering 8 * width columns from cursor_x. rs_drawmap and rs_clipmap draw every set bit
 * in the current colour and leave the pixels of clear bits alone; rs_clipmap is cut to
 * the clip rectangle, rs_drawmap to the buffer. rs_getmap sets exactly the bits whose
 * pixel equals the current colour (at 24 bits a colour value with a non-zero top byte
 * matches nothing; at 32 bits all four bytes count); bits of pixels outside the buffer are
 * cleared. Nothing happens without an active buffer, for a NULL map or width or height < 1.
 * @{
 */
/** Draws the set bits of a monochrome bitmap (width bytes by height rows) in the current colour at
 * the graphics cursor; cut to the buffer.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_drawmap(const unsigned char *map, int width, int height);
/** Draws the set bits of a monochrome bitmap at the graphics cursor, clipped to the clip rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_clipmap(const unsigned char *map, int width, int height);
/** Reads the rectangle at the graphics cursor into a monochrome bitmap: a bit is set where the
 * pixel equals the current colour.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_getmap(unsigned char *map, int width, int height);

/** @} */

/** @defgroup dcb Direct-colour bitmaps
 *  @ingroup images
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
 * @{
 */
/** Reads the width x height rectangle whose lower-left corner is the graphics cursor into a
 * direct-colour bitmap.
 * @pre An active 16-, 24- or 32-bit buffer.
 * @return 0. */
RS_API int rs_getdcb(unsigned char *array, int width, int height);
/** Draws a direct-colour bitmap at the graphics cursor, every pixel written; cut to the buffer.
 * @pre An active 16-, 24- or 32-bit buffer.
 * @return 0. */
RS_API int rs_putdcb(const unsigned char *array, int width, int height);
/** Draws a direct-colour bitmap at the graphics cursor, black pixels transparent; cut to the
 * buffer.
 * @pre An active 16-, 24- or 32-bit buffer.
 * @return 0. */
RS_API int rs_drawdcb(const unsigned char *array, int width, int height);
/** Draws a direct-colour bitmap at the graphics cursor, black transparent, clipped to the clip
 * rectangle.
 * @pre An active 16-, 24- or 32-bit buffer.
 * @return 0. */
RS_API int rs_clipdcb(const unsigned char *array, int width, int height);
/** Draws a direct-colour bitmap mirrored left to right, black transparent, clipped to the clip
 * rectangle.
 * @pre An active 16-, 24- or 32-bit buffer.
 * @return 0. */
RS_API int rs_flipdcb(const unsigned char *array, int width, int height);
/** Draws a direct-colour bitmap mirrored left to right, black transparent; cut to the buffer.
 * @pre An active 16-, 24- or 32-bit buffer.
 * @return 0. */
RS_API int rs_revdcb(const unsigned char *array, int width, int height);
/** Turns a direct-colour bitmap of width x height pixels upside down in place.
 * @pre A 16-, 24- or 32-bit buffer opened last (for the pixel size).
 * @return 0. */
RS_API int rs_invdcb(unsigned char *array, int width, int height);
/** rs_cut counted in direct-colour pixels of the last opened buffer's depth.
 * @return 0. */
RS_API int rs_cutdcb(const unsigned char *large, unsigned char *small, int x, int y, int large_width, int width, int height);
/** rs_paste counted in direct-colour pixels of the last opened buffer's depth.
 * @return 0. */
RS_API int rs_pastedcb(unsigned char *large, const unsigned char *small, int x, int y, int large_width, int width, int height);
/** Converts count pixels from source_format to dest_format (15 RGB555, 16 RGB565, 24 blue-green-red
 * bytes). No buffer is needed.
 * @return 0. */
RS_API int rs_transdcb(const unsigned char *source, unsigned char *dest, int source_format, int dest_format, int count);

/** @} */

/** @defgroup transform Image transforms
 *  @ingroup images
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
 * @{
 */
/** Rotates an image array of width x height bytes by angle tenths of a degree (counterclockwise for
 * positive angles) about its centre into dest, sized by rs_rotsize.
 * @return 0; -1 for a picture beyond 2^31 - 1 bytes (nothing written). */
RS_API int rs_rotate(const unsigned char *source, unsigned char *dest, int width, int height, int angle);
/** Stores in *new_width and *new_height the size of a width x height picture rotated by angle
 * tenths of a degree.
 * @return 0; -1 for a NULL pointer, a side below 1 or a size beyond an int. */
RS_API int rs_rotsize(int width, int height, int angle, int *new_width, int *new_height);
/** Scales an image array of width x height bytes to new_width x new_height into dest, nearest
 * pixel.
 * @return 0; -1 for a size beyond the limits in the group notes; -2 without memory. */
RS_API int rs_scale(const unsigned char *source, unsigned char *dest, int width, int height, int new_width, int new_height);
/** Shears an image array of width x height bytes into dest: type bit 1 chooses vertical shearing,
 * bit 0 the direction; new_size is the sheared extent.
 * @return 0; -1 for a size beyond the limits in the group notes. */
RS_API int rs_shear(const unsigned char *source, unsigned char *dest, int width, int height, int new_size, int type);
/** rs_rotate for a direct-colour bitmap of the last opened buffer's depth.
 * @pre A 16-, 24- or 32-bit buffer opened last.
 * @return As rs_rotate. */
RS_API int rs_rotdcb(const unsigned char *source, unsigned char *dest, int width, int height, int angle);
/** rs_scale for a direct-colour bitmap of the last opened buffer's depth.
 * @pre A 16-, 24- or 32-bit buffer opened last.
 * @return As rs_scale. */
RS_API int rs_scaledcb(const unsigned char *source, unsigned char *dest, int width, int height, int new_width, int new_height);
/** rs_shear for a direct-colour bitmap of the last opened buffer's depth.
 * @pre A 16-, 24- or 32-bit buffer opened last.
 * @return As rs_shear. */
RS_API int rs_sheardcb(const unsigned char *source, unsigned char *dest, int width, int height, int new_size, int type);

/** @} */

/** @defgroup blend Blending and photo adjustments
 *  @ingroup images
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
 * @{
 */
/** Sets the opacity of the mixing functions to value & 0xFF: 255 gives the first operand alone, 0
 * the second.
 * @return 0. */
RS_API int rs_opacity(int value);
/** Mixes two colour values of the last opened buffer's depth with the opacity (palette indices at 8
 * bits).
 * @return The mixed colour value (the nearest palette index at 8 bits). */
RS_API int rs_blend(int color1, int color2);
/** Averages two colour values of the last opened buffer's depth channel by channel, rounding down;
 * the opacity plays no part.
 * @return The average colour value. */
RS_API int rs_blend50(int color1, int color2);
/** Mixes count pixels of the direct-colour bitmaps first and second with the opacity into dest.
 * @pre A 16-, 24- or 32-bit buffer opened last.
 * @return 0. */
RS_API int rs_blenddcb(const unsigned char *first, const unsigned char *second, unsigned char *dest, int count);
/** Mixes count pixels of first and second into dest, pixel i with opacity[i].
 * @pre A 16-, 24- or 32-bit buffer opened last.
 * @return 0. */
RS_API int rs_blendvar(const unsigned char *first, const unsigned char *second, const unsigned char *opacity,
                       unsigned char *dest, int count);
/** Mixes the direct-colour bitmap first with second (or with the buffer itself when second is NULL)
 * into the width x height rectangle at the graphics cursor, with the opacity.
 * @pre An active 16-, 24- or 32-bit buffer holding the whole rectangle.
 * @return 0. */
RS_API int rs_blendvb(const unsigned char *first, const unsigned char *second, int width, int height);
/** rs_blendvb with an opacity array, one byte a pixel.
 * @pre An active 16-, 24- or 32-bit buffer holding the whole rectangle.
 * @return 0. */
RS_API int rs_blendvbv(const unsigned char *first, const unsigned char *second, const unsigned char *opacity,
                       int width, int height);
/** Stretches the contrast of count (red, green, blue) triples in place: low and below become 0,
 * high and above 255. Works at any depth.
 * @return 0. */
RS_API int rs_contrgb(unsigned char *array, int low, int high, int count);
/** Stretches the contrast of count direct-colour pixels from source into dest.
 * @pre A 16-, 24- or 32-bit buffer opened last.
 * @return 0. */
RS_API int rs_contdcb(const unsigned char *source, unsigned char *dest, int low, int high, int count);
/** Stretches the contrast of the width x height rectangle at the graphics cursor.
 * @pre An active 16-, 24- or 32-bit buffer holding the whole rectangle.
 * @return 0. */
RS_API int rs_contvb(int low, int high, int width, int height);
/** Applies gamma to count (red, green, blue) triples in place: c becomes 255 x (c / 255)^gamma.
 * @return 0. */
RS_API int rs_gammargb(unsigned char *array, double gamma, int count);
/** Applies gamma to count direct-colour pixels from source into dest.
 * @pre A 16-, 24- or 32-bit buffer opened last.
 * @return 0. */
RS_API int rs_gammadcb(const unsigned char *source, unsigned char *dest, double gamma, int count);
/** Applies gamma to the width x height rectangle at the graphics cursor.
 * @pre An active 16-, 24- or 32-bit buffer holding the whole rectangle.
 * @return 0. */
RS_API int rs_gammavb(double gamma, int width, int height);
/** Turns count (red, green, blue) triples grey in place.
 * @return 0. */
RS_API int rs_grayrgb(unsigned char *array, int count);
/** Turns count direct-colour pixels grey, from source into dest.
 * @pre A 16-, 24- or 32-bit buffer opened last.
 * @return 0. */
RS_API int rs_graydcb(const unsigned char *source, unsigned char *dest, int count);
/** Turns the width x height rectangle at the graphics cursor grey.
 * @pre An active 16-, 24- or 32-bit buffer holding the whole rectangle.
 * @return 0. */
RS_API int rs_grayvb(int width, int height);
/** Makes the negative of count (red, green, blue) triples in place.
 * @return 0. */
RS_API int rs_photorgb(unsigned char *array, int count);
/** Makes the negative of count direct-colour pixels, from source into dest.
 * @pre A 16-, 24- or 32-bit buffer opened last.
 * @return 0. */
RS_API int rs_photodcb(const unsigned char *source, unsigned char *dest, int count);
/** Makes the negative of the width x height rectangle at the graphics cursor.
 * @pre An active 16-, 24- or 32-bit buffer holding the whole rectangle.
 * @return 0. */
RS_API int rs_photovb(int width, int height);

/** @} */

/** @defgroup reduce Colour reduction
 *  @ingroup images
 * rs_reduce(start, count, palette): in the active 8-bit buffer, merges the palette indices
 * used inside the clip rectangle (cut to the buffer) until at most count remain, each
 * time the closest pair in palette (256 red, green, blue triples, squared distance) with
 * the index of fewer pixels going into the other; renumbers the survivors in index order
 * to start, start + 1, ..., moves their colours to those entries of palette (with start >
 * 0, entries outside start .. start + count - 1 become 0) and rewrites the pixels. The
 * library palette is not changed: pass palette to rs_setdacs. Does nothing without an
 * active 8-bit buffer, for a NULL palette, count < 1, start < 0 or start + count > 256.
 * @{
 */
/** Merges the palette indices used inside the clip rectangle of the active 8-bit buffer until at
 * most count remain, renumbered from start, and writes their colours into palette (256 triples).
 * @pre An active 8-bit buffer.
 * @return 0. */
RS_API int rs_reduce(int start, int count, unsigned char *palette);

/** @} */

/** @defgroup imagebuf Files: the image buffer
 *  @ingroup files
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
 * @{
 */
/** Makes size bytes at address the image buffer the file readers and writers stream through; size 0
 * or a NULL address puts the built-in 4096-byte area back.
 * @return 0. */
RS_API int rs_imagebuf(void *address, int size);
/** Bytes of a width x height direct-colour picture at the active depth.
 * @return The byte count; -1 for a negative side or a size beyond an int. */
RS_API int rs_imagesiz(int width, int height);

/** @} */

/** @defgroup bmp BMP files
 *  @ingroup files
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
 * @{
 */
/** Copies the first 54 bytes of a BMP file into header.
 * @return 0; -1 the file cannot be opened; -2 it is shorter or not a BMP file. */
RS_API int rs_bmphead(const char *filename, unsigned char *header);
/** Reads width and height from a BMP header (negative height for a top-down file).
 * @return 0; -1 and -1 are stored for a header without "BM". */
RS_API int rs_bmpsize(const unsigned char *header, int *width, int *height);
/** Copies a BMP file's palette into rgb as (red, green, blue) triples (NULL: only counts).
 * @return The colour count (0 without a palette); -1 cannot open; -2 not a BMP file or damaged. */
RS_API int rs_bmppal(const char *filename, unsigned char *rgb);
/** Draws an uncompressed 1-, 4-, 8- or 24-bit BMP file into the active buffer and sets the palette;
 * flags as listed in the group notes.
 * @pre An active buffer (without one the call returns 0).
 * @return 0 shown; 1 cannot open; 2 not a BMP file; 3 unsupported depth; 4 compressed; 5 no
 *  memory. */
RS_API int rs_showbmp(const char *filename, int flags);
/** Writes the region minx..maxx, miny..maxy of the active buffer as a BMP file of bits (24 from
 * colour buffers; 8, 4 or 1 from 8-bit buffers).
 * @pre An active buffer holding the whole region.
 * @return 0 written; 1 refused or not writable; 2 no memory. */
RS_API int rs_makebmp(int minx, int maxx, int miny, int maxy, int bits, const char *filename);

/** @} */

/** @defgroup jpeg Files: JPEG decoding
 *  @ingroup files
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
 * @{
 */
/** Fills a 10-byte record with the size, component count and sampling of a JPEG file.
 * @return 0; -1 the file cannot be opened; -2 not a baseline JPEG file. */
RS_API int rs_jpeghead(const char *filename, unsigned char *header);
/** Reads width and height from a record of rs_jpeghead.
 * @return 0 (-1 and -1 are stored for a record without 0xFFD8). */
RS_API int rs_jpegsize(const unsigned char *header, int *width, int *height);
/** Decodes a baseline JPEG file into the active buffer; flags 2 place it at the graphics cursor, 4
 * take it from the image buffer.
 * @pre An active 16-, 24- or 32-bit buffer (otherwise nothing is drawn).
 * @return 0 shown; 1 cannot open; 2 not JPEG; 3 unsupported or malformed; 4 no memory. */
RS_API int rs_showjpeg(const char *filename, int flags);
/** Decodes the size bytes of a JPEG file at data into the active buffer at the graphics cursor.
 * @pre An active 16-, 24- or 32-bit buffer.
 * @return As rs_showjpeg; 2 also for NULL data or size <= 0. */
RS_API int rs_jpegbuf(const void *data, int size);
/** Bytes of working memory the decoder allocates for the picture described by a record of
 * rs_jpeghead.
 * @return The byte count, or -1 for a record it refuses. */
RS_API int rs_jpegmem(const unsigned char *header);

/** @} */

/** @defgroup pcx PCX files
 *  @ingroup files
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
 * @{
 */
/** Copies the 128-byte header of a PCX file into header.
 * @return 0; -1 cannot open; -2 shorter or not PCX. */
RS_API int rs_pcxhead(const char *filename, unsigned char *header);
/** Reads the picture window xmin, xmax, ymin, ymax from a PCX header.
 * @return 0 (-1 in every value for a header that is not PCX). */
RS_API int rs_pcxrange(const unsigned char *header, int *minx, int *maxx, int *miny, int *maxy);
/** Reads width and height from a PCX header.
 * @return 0 (-1 and -1 for a header that is not PCX). */
RS_API int rs_pcxsize(const unsigned char *header, int *width, int *height);
/** Copies a PCX file's palette into rgb as (red, green, blue) triples (NULL: only counts).
 * @return 16, 0 or 256 colours; -1 cannot open; -2 not PCX. */
RS_API int rs_pcxpal(const char *filename, unsigned char *rgb);
/** Draws a 2-, 16-, 256-colour or 24-bit PCX file into the active buffer and sets the palette;
 * flags as listed in the group notes.
 * @pre An active buffer (without one the call returns 0).
 * @return 0 shown; 1 cannot open; 2 not PCX; 3 unsupported; 4 no memory. */
RS_API int rs_showpcx(const char *filename, int flags);
/** Decodes a 2-, 16- or 256-colour PCX file into an image array of its colour numbers, bottom row
 * first; nothing is drawn.
 * @return As rs_showpcx; 1 also for a NULL array. */
RS_API int rs_loadpcx(const char *filename, unsigned char *array);
/** Writes the region of the active buffer as a run-length encoded PCX file (256 colours from 8-bit
 * buffers, else 24 bits).
 * @pre An active buffer holding the whole region.
 * @return 0 written; 1 refused or not writable; 2 no memory. */
RS_API int rs_makepcx(int minx, int maxx, int miny, int maxy, const char *filename);

/** @} */

/** @defgroup flic FLI/FLC animation
 *  @ingroup files
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
 * @{
 */
/** Copies the 128-byte header of an FLI or FLC file into header.
 * @return 0; -1 cannot open; -2 short or another type. */
RS_API int rs_flichead(const char *filename, unsigned char *header);
/** Opens an animation for playing and fills the 16-byte context.
 * @return 0; -1 cannot open or NULL context; -2 not FLI or FLC. */
RS_API int rs_flicopen(const char *filename, void *context);
/** Closes the animation of context; a second call does nothing.
 * @return 0. */
RS_API int rs_flicdone(void *context);
/** Plays an animation file frame by frame, scaled over the focus window's client area, until Escape
 * is down or loops passes are played (0: without end).
 * @pre An active buffer and a focus device.
 * @return 0, or rs_flicopen's error. */
RS_API int rs_showflic(const char *filename, int loops, int flags);
/** Reads width and height from an FLI or FLC header.
 * @return 0; -1 (and -1, -1 stored) for another header. */
RS_API int rs_flicsize(const unsigned char *header, int *width, int *height);
/** Passes up to frames frames of the animation without drawing; frames < 0 goes back to the first.
 * @return The frames passed. */
RS_API int rs_flicskip(void *context, int frames);
/** Plays up to frames frames into the active buffer; flags as listed in the group notes.
 * @pre An active buffer.
 * @return The frames played. */
RS_API int rs_flicplay(void *context, int frames, int flags);

/** @} */

/** @defgroup avi AVI files
 *  @ingroup files
 * The first video stream of an AVI file is played through the library's own AVI reader:
 * uncompressed frames at 1, 2, 4, 8, 16 (5-5-5, or 5-6-5 bit fields), 24 and 32 bits
 * (rows padded to 32 bits, or packed when the frame has exactly that size; bottom-up or
 * top-down), run-length coded 4- and 8-bit frames, and Motion-JPEG frames (baseline,
 * decoded as rs_showjpeg does; frames without Huffman tables use the standard ones, and
 * the tables rs_showjpeg keeps are not changed). Frames are found through the file's
 * OpenDML or idx1 index, or in the order of its movi list when it has none; files past
 * 2 GB are read. A library built with FFmpeg (libavformat, libavcodec, libswscale and
 * libavutil found when it was configured) also plays streams of every other codec FFmpeg
 * decodes (MPEG-4 Visual, FFV1, H.264 and more; frames of 16, 24 or 32 bits), through its
 * AVI reader and decoder, and writes frames with FFmpeg's coders (rs_avimake). Without it
 * such streams give -5 from rs_aviopen and such codecs -2 from rs_avimake.
 * rs_avihead(filename, header): 0 with the 56-byte main header copied to header (NULL: not
 *   copied) when the file starts with "RIFF", "AVI " at 8 and "avih" at 24 and holds a main
 *   header of 56 bytes or more; -2 otherwise; -1 the file cannot be opened.
 * rs_avisize(header, width, height): the 32-bit width and height at 32 and 36 of a main
 *   header; 0, or -1 (and -1, -1) for a NULL header. Null out-pointers are not written.
 * rs_avipal(filename, rgb): the colours of the first stream's format, found through the
 *   stream header's size at file offset 104 within the first 4096 bytes, as red, green,
 *   blue triples into rgb (NULL: not copied). Returns their number: the colours-used field,
 *   0 meaning all 2^bits, at most 2^bits and what the format chunk holds; 0 for more than 8
 *   bits a pixel; -2 not an AVI file or no format there; -1 the file cannot be opened.
 * rs_aviopen(filename, context): fills the 48-byte play context (32-bit fields): 0 width,
 *   4 height, 8 bits per pixel of the decoded frames (32 for 32-bit video, 24 for 17..31,
 *   16 for 9..16, else the video's own), 12 current frame (-1), 16 first frame, 20 last
 *   frame, 24 the stream, 28 the frame reader, 32 size and 36 number of the format block
 *   the library keeps, 40 the frame delay in clock units of 55 ms (microseconds per frame
 *   x 91 / 5000000). Numbers at 24, 28 and 36 are the library's own, checked when used.
 *   Results: 0; -1 cannot open (or NULL context); -2 shorter than 36 bytes, not an AVI file
 *   or no video stream with a format; -3 a format that is not a bitmap header of positive
 *   size; -4 no memory; -5 frames of a kind the reader cannot decode. On failure nothing
 *   stays open and the context is zeros.
 * rs_aviplay(context, frames, flags): plays up to frames frames from the current one into
 *   the active buffer and returns how many were played (0 without an active buffer, or for
 *   a video of more than 8 bits into an 8-bit buffer). Flags: 1 no delay after frames;
 *   2 top-left corner at the graphics cursor instead of (0, 0); 16 leave the palette alone.
 *   The frame is cut to the buffer's four edges. With the first frame after opening, a
 *   video of 8 or fewer bits sets the palette from its colour table: into an 8-bit buffer
 *   entries 10.. (pixels become index + 10) when it has 236 colours or fewer, else its
 *   colours 10..245 into entries 10..245 (pixels as they are); into other buffers entries
 *   0.. (pixels through the palette pixel table). 16-bit frames (5-5-5) go into 16-bit
 *   buffers with green widened by a zero bit, into 24/32-bit buffers as round(f x 255 /
 *   31); 24/32-bit frames into 16-bit buffers as round(v x 31 / 255) and round(v x 63 /
 *   255); into 24-bit buffers as their blue, green, red bytes; into 32-bit buffers 32-bit
 *   frames whole, 24-bit frames keeping each pixel's fourth byte. A missing or damaged
 *   frame ends playing. 1- and 2-bit frames are indices like 4-bit ones.
 * rs_aviskip(context, frames): frames < 0 back to the first frame (0); otherwise moves the
 *   current frame on by frames, to the last + 1 at most, and returns how many it moved.
 *   Skipping before the first rs_aviplay starts from the first frame, and the palette is
 *   then not set by playing.
 * rs_avidone(context): releases what a play or make context holds (a make context has 0 at
 *   offset 0) and clears its numbers, so a second call does nothing. Returns 0. A written
 *   file is completed (headers, index) here. Only what the library opened and has not yet
 *   released is released: a copy of a record already done, or a record from before rs_vbfin,
 *   releases nothing.
 * rs_avimake(filename, context, codec, width, height, bits, quality, rate): creates the
 *   file for frames of width x height at bits (1, 4, 8, 16 (5-5-5), 24, 32) per pixel,
 *   rate frames a second, and fills the 24-byte make context: 0 always 0, 4 frame counter,
 *   8 the file, 12 the stream, 16 the coding stream, 20 bytes of one frame (rows padded to
 *   32 bits). The file is written beside its name and takes that name only when rs_avidone
 *   completes it: until then, and for good when writing fails, a file of that name stays as
 *   it was. codec is four characters with the first in the top byte ('MRLE' in C): 0 or
 *   'DIB ' uncompressed frames; 'MRLE' run-length coded frames (4 and 8 bits only). With
 *   FFmpeg, any other four characters an AVI file may name its codec by pick FFmpeg's coder
 *   of that codec, for frames of 8, 16, 24 or 32 bits: 'FFV1' (lossless), 'XVID', 'FMP4',
 *   'DIVX' or 'DX50' (MPEG-4 Visual), 'MJPG' (Motion JPEG), 'H264' (when FFmpeg has an
 *   H.264 coder), and more. quality 0..10000 (-1: 7500) maps onto the coder's scale: a
 *   quantiser 31 - 30 x quality / 10000 (1 best), or for H.264 a constant-rate factor
 *   51 - 51 x quality / 10000; lossless codecs ignore it; the built-in codecs keep it in
 *   the stream header only. -1 as codec would ask the user with a dialog; there is none
 *   here, and the choice made is uncompressed frames. Frames of 8 or fewer bits carry the
 *   palette (RGB quad table) at the time of the call. Results: 0; -1 cannot create the file
 *   (or NULL arguments); -2 sizes, bits, rate or codec not usable. Files are kept below
 *   2 GB.
 * rs_aviframe(context, pixels): writes the next frame from pixels, a bottom-up bitmap of
 *   the context's size and bits (the pixels of a buffer of that size and depth, rs_vbaddr);
 *   0 written, -1 otherwise (no make context, NULL pixels, a write that failed or would pass
 *   2 GB; after a failed write every later frame is refused and the file is dropped).
 * rs_showavi(filename, loops, flags): rs_aviopen (returning its error), then plays frame by
 *   frame with rs_aviplay's flags, each scaled over the client area of the focus window,
 *   rewinding at the end, until Escape is down or loops passes are played (0: without end);
 *   a pass that plays no frame ends it. Returns 0.
 * @{
 */
/** Copies the 56-byte main header of an AVI file into header.
 * @return 0; -1 cannot open; -2 not AVI. */
RS_API int rs_avihead(const char *filename, unsigned char *header);
/** Reads width and height from an AVI main header.
 * @return 0; -1 (and -1, -1 stored) for a NULL header. */
RS_API int rs_avisize(const unsigned char *header, int *width, int *height);
/** Copies the colours of an AVI file's first stream into rgb as (red, green, blue) triples (NULL:
 * only counts).
 * @return The colour count (0 above 8 bits); -1 cannot open; -2 not AVI. */
RS_API int rs_avipal(const char *filename, unsigned char *rgb);
/** Opens the first video stream of an AVI file and fills the 48-byte play context.
 * @return 0; -1 cannot open; -2 not AVI; -3 bad format; -4 no memory; -5 frames it cannot decode
 * (codecs beyond the built-in ones need a library built with FFmpeg). */
RS_API int rs_aviopen(const char *filename, void *context);
/** Plays up to frames frames from the current one into the active buffer; flags as listed in the
 * group notes.
 * @pre An active buffer.
 * @return The frames played. */
RS_API int rs_aviplay(void *context, int frames, int flags);
/** Moves the current frame on by frames without drawing; frames < 0 goes back to the first.
 * @return The frames moved. */
RS_API int rs_aviskip(void *context, int frames);
/** Releases what a play or make context holds, completing a written file; a second call does
 * nothing.
 * @return 0. */
RS_API int rs_avidone(void *context);
/** Creates an AVI file for frames of width x height at bits per pixel, rate frames a second, coded
 * by codec, and fills the 24-byte make context; the file takes its name when rs_avidone completes it.
 * @return 0; -1 cannot create; -2 unusable sizes, bits, rate or codec (codecs beyond uncompressed
 * and 'MRLE' need a library built with FFmpeg). */
RS_API int rs_avimake(const char *filename, void *context, int codec, int width, int height, int bits, int quality, int rate);
/** Writes the next frame of a make context from a bottom-up bitmap of its size and bits (the pixels
 * of a buffer, rs_vbaddr).
 * @return 0 written; -1 otherwise. */
RS_API int rs_aviframe(void *context, void *pixels);
/** Plays an AVI file frame by frame, scaled over the focus window's client area, until Escape is
 * down or loops passes are played (0: without end).
 * @pre An active buffer and a focus device.
 * @return 0, or rs_aviopen's error. */
RS_API int rs_showavi(const char *filename, int loops, int flags);

/** @} */

/** @defgroup view3d 3D viewing state and projection
 *  @ingroup three_d
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
 * @{
 */
#define RS_PERSPECTIVE_TEXTURE 1u /**< Render state: texture maps are perspective-correct. */
#define RS_WIREFRAME 2u           /**< Render state: polygons are drawn as closed outlines. */
#define RS_ZBUFFER 4u             /**< Render state: 3D primitives are depth-tested. */
#define RS_ZCLIP 8u               /**< Render state: clip at the near plane, reject beyond the far one. */
/** Places the viewer at (x, y, z) turned by xangle, yangle and zangle tenths of a degree about x, y
 * and z; sets the view matrix only.
 * @return 0. */
RS_API int rs_3Dpov(double x, double y, double z, int xangle, int yangle, int zangle);
/** Stores the viewer's position and its forward axis (NULL pointers skipped).
 * @return 0. */
RS_API int rs_3Dgetpov(double *x, double *y, double *z, double *fx, double *fy, double *fz);
/** Tests whether the point (x, y, z) lies less than distance ahead of the viewer along its forward
 * axis.
 * @return 1 behind (or a value not a number), 0 otherwise. */
RS_API int rs_3Dbehindviewer(double x, double y, double z, double distance);
/** Copies the 12 doubles of the matrix chosen by which (0..6, see the group notes) into m.
 * @return 0. */
RS_API int rs_3Dgetmatrix(double *m, int which);
/** Sets the matrix chosen by which from the 12 doubles at m; with update not 0 the dependent
 * matrices are recomputed.
 * @return 0. */
RS_API int rs_3Dsetmatrix(const double *m, int which, int update);
/** Projects n view-space points (x, y, z doubles) onto the screen as (x, y) ints in out.
 * @return 0; -1 when a coordinate did not fit an int (stored as INT_MIN). */
RS_API int rs_3Dproject(const double *in, int *out, int n);
/** Sets the render state: RS_WIREFRAME, RS_ZBUFFER, RS_ZCLIP and RS_PERSPECTIVE_TEXTURE or-ed
 * together.
 * @return 0. */
RS_API int rs_3Drenderstate(unsigned int flags);
/** Sets the near and far clip distances, in world units along the view axis (1.0 and 1000.0 after
 * rs_vbinit).
 * @return 0. */
RS_API int rs_3Dsetzclip(double znear, double zfar);
/** Sets the up vector that rs_3Dlookat and the rotations keep the pose upright to ((0, 1, 0) after
 * rs_vbinit).
 * @return 0. */
RS_API int rs_3Dupvector(double x, double y, double z);
/** Sets the projection: centre of the screen rectangle minx..maxx, miny..maxy and a scale of ratio
 * times its width.
 * @return 0; -1 for an inverted rectangle (projection unchanged). */
RS_API int rs_3Dviewport(int minx, int maxx, int miny, int maxy, double ratio);

/** @} */

/** @defgroup motion3d 3D motion of viewer and object
 *  @ingroup three_d
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
 * @{
 */
/** Replaces the viewer's rotation by angle tenths of a degree about the axis (ax, ay, az).
 * @return 0; -1 for a zero or non-finite axis (nothing changed). */
RS_API int rs_3Daxisangle(double ax, double ay, double az, int angle);
/** Replaces the object's rotation by angle tenths of a degree about the axis (ax, ay, az).
 * @return 0; -1 for a zero or non-finite axis. */
RS_API int rs_3Daxisangleobject(double ax, double ay, double az, int angle);
/** Places the viewer at (x, y, z) looking at (tx, ty, tz), upright toward the up vector.
 * @return 0; -1 when the target is the viewer's own position or not finite. */
RS_API int rs_3Dlookat(double x, double y, double z, double tx, double ty, double tz);
/** Moves the viewer to (x, y, z), world units.
 * @return 0. */
RS_API int rs_3Dmove(double x, double y, double z);
/** Moves the viewer d world units along its forward axis.
 * @return 0. */
RS_API int rs_3Dmoveforward(double d);
/** Moves the object d world units along its forward axis (minus the row of its matrix).
 * @return 0. */
RS_API int rs_3Dmoveforwardobject(double d);
/** Moves the object to (x, y, z), world units.
 * @return 0. */
RS_API int rs_3Dmoveobject(double x, double y, double z);
/** Moves the viewer d world units along its right axis.
 * @return 0. */
RS_API int rs_3Dmoveright(double d);
/** Moves the object d world units along its right axis.
 * @return 0. */
RS_API int rs_3Dmoverightobject(double d);
/** Moves the viewer d world units along its up axis.
 * @return 0. */
RS_API int rs_3Dmoveup(double d);
/** Moves the object d world units along its up axis.
 * @return 0. */
RS_API int rs_3Dmoveupobject(double d);
/** Turns the viewer angle tenths of a degree about its forward axis.
 * @return 0. */
RS_API int rs_3Droll(int angle);
/** Turns the object angle tenths of a degree about its forward axis.
 * @return 0. */
RS_API int rs_3Drollobject(int angle);
/** Aims the viewer along the direction (dx, dy, dz), keeping its position.
 * @return 0; -1 for a zero or non-finite direction. */
RS_API int rs_3Drotate(double dx, double dy, double dz);
/** Aims the object along the direction (dx, dy, dz), keeping its position.
 * @return 0; -1 for a zero or non-finite direction. */
RS_API int rs_3Drotateobject(double dx, double dy, double dz);
/** Turns the viewer angle tenths of a degree about its up axis.
 * @return 0. */
RS_API int rs_3Drotateright(int angle);
/** Turns the object angle tenths of a degree about its up axis.
 * @return 0. */
RS_API int rs_3Drotaterightobject(int angle);
/** Turns the viewer angle tenths of a degree about its right axis.
 * @return 0. */
RS_API int rs_3Drotateup(int angle);
/** Turns the object angle tenths of a degree about its right axis.
 * @return 0. */
RS_API int rs_3Drotateupobject(int angle);
/** Places the object at (x, y, z) turned by xangle, yangle and zangle tenths of a degree, and
 * recomputes the combined matrix.
 * @return 0. */
RS_API int rs_3Dsetobject(double x, double y, double z, int xangle, int yangle, int zangle);
/** Transforms n world points (x, y, z doubles) to view space into out (out may be in).
 * @return 0. */
RS_API int rs_3Dtransform(const double *in, double *out, int n);
/** Transforms n object points through the combined matrix to view space into out (out may be in).
 * @return 0. */
RS_API int rs_3Dtransformobject(const double *in, double *out, int n);

/** @} */

/** @defgroup prim3d 3D primitives
 *  @ingroup three_d
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
 * @{
 */
/** Draws the 3D line from (x1, y1, z1) to (x2, y2, z2), world units, clipped at the near plane with
 * RS_ZCLIP and depth-tested with RS_ZBUFFER.
 * @pre An active buffer (and a bound z-buffer with RS_ZBUFFER).
 * @return 0. */
RS_API int rs_3Dline(double x1, double y1, double z1, double x2, double y2, double z2);
/** Draws a polygon of n world vertices (x, y, z doubles) filled in the current colour, or as an
 * outline with RS_WIREFRAME.
 * @pre An active buffer (and a bound z-buffer with RS_ZBUFFER).
 * @return 0. */
RS_API int rs_3Dpolygon(const double *xyz, int n);
/** rs_3Dpolygon for object-space vertices, through the combined matrix.
 * @pre As rs_3Dpolygon.
 * @return 0. */
RS_API int rs_3Dpolygonobject(const double *xyz, int n);
/** Draws a Gouraud-shaded polygon of n world vertices with a colour (red, green, blue bytes) per
 * vertex.
 * @pre An active 16-, 24- or 32-bit buffer (and a bound z-buffer with RS_ZBUFFER).
 * @return 0. */
RS_API int rs_3Dshade(const double *xyz, const unsigned char *rgb, int n);
/** rs_3Dshade for object-space vertices, through the combined matrix.
 * @pre As rs_3Dshade.
 * @return 0. */
RS_API int rs_3Dshadeobject(const double *xyz, const unsigned char *rgb, int n);
/** Draws a polygon of n world vertices mapped with the current texture, texture coordinates uv per
 * vertex (ints, or floats after rs_tmunits(1)).
 * @pre An active buffer and a current texture of its depth (and a bound z-buffer with RS_ZBUFFER).
 * @return 0. */
RS_API int rs_3Dtexturemap(const double *xyz, const void *uv, int n);
/** rs_3Dtexturemap for object-space vertices, through the combined matrix.
 * @pre As rs_3Dtexturemap.
 * @return 0. */
RS_API int rs_3Dtexturemapobject(const double *xyz, const void *uv, int n);
/** Clips a view-space polygon of n vertices against the near plane into out (room for 2n vertices).
 * @return The vertices written; 0 when nothing is left. */
RS_API int rs_3Dzclip(const double *in, double *out, int n);
/** rs_3Dzclip carrying a colour per vertex from rgb_in to rgb_out.
 * @return The vertices written. */
RS_API int rs_3Dzcliprgb(const double *in, double *out, const unsigned char *rgb_in, unsigned char *rgb_out, int n);
/** rs_3Dzclip carrying texture coordinates per vertex from uv_in to uv_out.
 * @return The vertices written. */
RS_API int rs_3Dzcliptm(const double *in, double *out, const void *uv_in, void *uv_out, int n);

/** @} */

/** @defgroup zbuffer Gouraud shading and z-buffer
 *  @ingroup raster
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
 * @{
 */
/** Allocates a zero-filled z-buffer for a buffer of width x height pixels.
 * @return The block, or NULL for a side below 1 or without memory. */
RS_API void *rs_zballoc(int width, int height);
/** Releases a z-buffer from rs_zballoc; other addresses are ignored.
 * @return 0. */
RS_API int rs_zbfree(void *zb);
/** Binds a z-buffer for depth-tested drawing and clears the active buffer's entries (NULL unbinds).
 * @return 0. */
RS_API int rs_zbopen(void *zb);
/** Starts a new frame of depth values without clearing the z-buffer (cleared every 256th frame).
 * @return 0. */
RS_API int rs_zbframe(void);
/** Fills a polygon of n screen vertices xy in the current colour, depth-tested with the view-space
 * z of xyz per vertex.
 * @pre An active buffer and a bound z-buffer that fits it.
 * @return 0. */
RS_API int rs_polyfilz(const int *xy, const double *xyz, int n);
/** Fills a clockwise polygon of n screen vertices xy, the colour interpolated from rgb (red, green,
 * blue bytes per vertex).
 * @pre An active 16-, 24- or 32-bit buffer.
 * @return 0. */
RS_API int rs_gouraud(const int *xy, const unsigned char *rgb, int n);
/** rs_gouraud depth-tested with the view-space z of xyz per vertex; both windings are drawn.
 * @pre An active 16-, 24- or 32-bit buffer and a bound z-buffer that fits it.
 * @return 0. */
RS_API int rs_gouraudz(const int *xy, const unsigned char *rgb, const double *xyz, int n);
/** Draws rs_draw's line to (x, y), depth-tested, its depth going from zstart to zend; moves the
 * cursor there.
 * @pre An active buffer and a bound z-buffer that fits it.
 * @return 0. */
RS_API int rs_drawz(int x, int y, double zstart, double zend);

/** @} */

/** @defgroup texmap Texture mapping
 *  @ingroup raster
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
 * @{
 */
/** Makes a texture table of count records, replacing any earlier one.
 * @return 0; -1 for count outside 1..2^20 or without memory. */
RS_API int rs_tminit(int count);
/** Stores the caller's texels (width x height, rows top-down, in the format of the buffer drawn
 * into) in the first free record.
 * @pre A table from rs_tminit.
 * @return The record number; -1 when none is free or an argument is unusable. */
RS_API int rs_tmdefine(void *texels, int width, int height);
/** Makes record index the current texture; a record not in use is ignored.
 * @return 0. */
RS_API int rs_tmselect(int index);
/** Frees texture record index, or every record for index < 0.
 * @return 0. */
RS_API int rs_tmfree(int index);
/** Kept for programs that call it; textures live in caller memory, so there is nothing to evict.
 * @return 0. */
RS_API int rs_tmevict(void);
/** Sets the run length in pixels of perspective-correct mapping between divisions (32 at start;
 * below 1 taken as 1).
 * @return 0. */
RS_API int rs_tmspan(int n);
/** With flag not 0, texels of value 0 leave the pixel and its z-buffer entry alone.
 * @return 0. */
RS_API int rs_tmtransparency(int flag);
/** Chooses texture coordinates as ints (flag 0, the start) or floats (flag not 0), in texels either
 * way.
 * @return 0. */
RS_API int rs_tmunits(int flag);
/** Fills a clockwise polygon of n screen vertices xy with the current texture, affine, coordinates
 * uv per vertex.
 * @pre An active buffer and a current texture.
 * @return 0. */
RS_API int rs_texmap(const int *xy, const void *uv, int n);
/** Fills a clockwise polygon with the current texture, perspective-correct, using the view-space z
 * of xyz per vertex.
 * @pre An active buffer and a current texture.
 * @return 0. */
RS_API int rs_texmapp(const int *xy, const void *uv, const double *xyz, int n);
/** Fills a polygon with the current texture, affine, depth-tested; both windings.
 * @pre An active buffer, a current texture and a bound z-buffer that fits the buffer.
 * @return 0. */
RS_API int rs_texmapz(const int *xy, const void *uv, const double *xyz, int n);
/** Fills a polygon with the current texture, perspective-correct and depth-tested; both windings.
 * @pre An active buffer, a current texture and a bound z-buffer that fits the buffer.
 * @return 0. */
RS_API int rs_texmappz(const int *xy, const void *uv, const double *xyz, int n);

/** @} */

/** @defgroup systext System-font text
 *  @ingroup services
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
 * @{
 */
/** Records the device context text is drawn with (rs_setdc sets it too).
 * @return 0. */
RS_API int rs_fontdc(RS_HDC dc);
/** Makes stock font index (10, 11, 12, 13, 14, 16 or 17) the current font; another index leaves it
 * unchanged.
 * @return 0. */
RS_API int rs_fontload(int index);
/** Makes a font from rsp_font_create the current font.
 * @return 0; -1 for a handle that is not a live font. */
RS_API int rs_logfont(RS_HFONT font);
/** Sets how rs_print places text around the graphics cursor: horizontal -1 left, 0 centre, 1 right;
 * vertical -1 bottom, 0 centre, 1 top.
 * @return 0. */
RS_API int rs_justify(int horizontal, int vertical);
/** Draws the first count characters of string (Windows-1252) with the current font and colour at
 * the graphics cursor, as justified, and moves the cursor right by the text's width.
 * @pre An active buffer (without one only the cursor moves).
 * @return 0. */
RS_API int rs_print(const char *string, int count);

/** @} */

/** @defgroup stroke Stroke text
 *  @ingroup services
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
 * @{
 */
/** Sets the stroke-text baseline angle, degrees counterclockwise.
 * @return 0. */
RS_API int rs_setangle(double degrees);
/** Sets the stroke-text width ratio (greater than 0).
 * @return 0. */
RS_API int rs_setratio(double ratio);
/** Sets the stroke-text capital height in world units (greater than 0).
 * @return 0. */
RS_API int rs_setsizew(double size);
/** Sets the stroke-text capital height to the world height of pixels rows.
 * @pre A world window and an opened buffer.
 * @return 0. */
RS_API int rs_setsize(int pixels);
/** Measures what rs_swchar would draw along the baseline.
 * @return The length in world units; 0 without a usable world mapping. */
RS_API double rs_swlength(const char *string, int count);
/** Draws count characters of string (Roman simplex, escapes for the Greek set, sub- and
 * superscripts and underlines) from the graphics cursor; justify < 0 starts, 0 centres, > 0 ends
 * the text there.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_swchar(const char *string, int count, int justify);
/** Draws count characters of string in the Roman duplex font, justified as rs_swchar; backslashes
 * in string are overwritten with spaces.
 * @pre An active buffer and a world window.
 * @return 0. */
RS_API int rs_swtext(char *string, int count, int justify);

/** @} */

/** @defgroup trig Trigonometric lookup
 *  @ingroup services
 * rs_trig stores the cosine and sine of angle (tenths of a degree, any int) from a table
 * of the nearest doubles to cos(k * 0.1 deg), k = 0..900; the 3D functions take their
 * cosines and sines from the same lookup. Whole turns are removed first: negative angles
 * gain turns up to 0..3599, larger ones lose them down to 1..3600, so 3600 stays 3600 and
 * gives the sine -0.0 where 0 gives +0.0. Exact values: 900 -> (0, 1), 1800 -> (-1, 0),
 * 2700 -> (0, -1). A NULL pointer is skipped. Returns 0.
 * @{
 */
/** Stores the cosine and sine of angle tenths of a degree (NULL pointers skipped).
 * @return 0. */
RS_API int rs_trig(int angle, double *cos_out, double *sin_out);

/** @} */

/** @defgroup input Mouse, keyboard, timing
 *  @ingroup services
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
 * @{
 */
/** Looks for a mouse and starts the library's mouse state. Call it after rs_vbinit.
 * @return 1 with a mouse, -1 without. */
RS_API int rs_mouseini(void);
/** Shows (state bit 0 set) or hides the pointer.
 * @pre rs_mouseini found a mouse.
 * @return 0. */
RS_API int rs_mousevis(int state);
/** Moves the pointer to buffer position (x, y).
 * @pre A mouse and a focus device.
 * @return 0. */
RS_API int rs_mousemov(int x, int y);
/** Stores the pointer's position in buffer coordinates (NULL pointers skipped).
 * @pre A mouse and a focus device.
 * @return 0; -1 (and -1, -1 stored) when the pointer is outside the buffer's area or there is no
 *  mouse or focus. */
RS_API int rs_mousepos(int *x, int *y);
/** Keeps the pointer inside a rectangle of buffer coordinates; an inverted rectangle frees it.
 * @pre A mouse and a focus device.
 * @return 0. */
RS_API int rs_mouselim(int minx, int maxx, int miny, int maxy);
/** Sets the pointer size, 16 or 32 pixels, that rs_mouseptr reads; other values are ignored.
 * @return 0. */
RS_API int rs_mousesiz(int size);
/** Makes a pointer from AND and XOR masks with hot spot (hot_x, hot_y).
 * @pre A mouse.
 * @return The cursor; NULL for no masks or a hot spot outside it. */
RS_API RS_HCURSOR rs_mouseptr(const void *masks, int hot_x, int hot_y);
/** Shows a cursor from rs_mouseptr; NULL brings back the arrow.
 * @pre A mouse.
 * @return 0. */
RS_API int rs_mousecur(RS_HCURSOR cursor);
/** Tests a key by its scan code, or any key for 0.
 * @return Not 0 when down, 0 when up or unknown. */
RS_API int rs_kbtest(int scan_code);
/** Reads the tick counter.
 * @return Clock units of 55 ms. */
RS_API int rs_getclock(void);
/** Waits, sleeping, until units clock units of 55 ms have passed.
 * @return 0. */
RS_API int rs_waitfor(int units);
/** Busy-waits count passes of 50 calls of an empty routine.
 * @return 0. */
RS_API int rs_stall(int count);
/** Measures the rs_stall count that lasts about one clock unit.
 * @return The count; -1 when not a millisecond elapsed. */
RS_API int rs_measure(void);

/** @} */

/** @defgroup modes Display modes
 *  @ingroup services
 * Both hand the host a mode of width x height at bits per pixel (nothing else) and return
 * its result: 0 done (or possible), -1 refused, -2 the display has no such mode.
 * rs_modeset: bits 0 goes back to the mode the session started in, whatever width and
 * height are, and pauses 200 ms after; otherwise it pauses 200 ms, asks for the mode
 * (temporary when full_screen is not 0) and, if that fails, asks again for it to be kept.
 * On the SDL2 window host a mode is taken by the focus window going full screen in it,
 * and going back takes it out of full screen; on Windows the display settings change.
 * The headless host switches among the modes given to rsp_display_modes, and without any
 * it has no mode to switch to (-2; going back is 0).
 * rs_modetest: pauses 200 ms, then returns -1 when no mode of the display has that width,
 * height and depth, else asks the host whether the first such mode can be set.
 * @{
 */
/** Sets the display mode to width x height at bits per pixel (bits 0: back to the starting mode),
 * full screen and temporary when full_screen is not 0.
 * @return 0 done; -1 refused; -2 no such mode. */
RS_API int rs_modeset(int width, int height, int bits, int full_screen);
/** Asks whether a display mode of width x height at bits per pixel can be set.
 * @return 0 possible; -1 refused or no such mode; -2 the host has no such mode. */
RS_API int rs_modetest(int width, int height, int bits);

/** @} */

/** @defgroup indexmap Index map and alpha byte
 *  @ingroup core
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
 * @{
 */
/** Sets entry index of the index map to value & 0xFF.
 * @return The entry's previous value; -1 for an index outside 0..255. */
RS_API int rs_defcolor(int index, int value);
/** Reads entry index of the index map.
 * @return The entry; -1 for an index outside 0..255. */
RS_API int rs_getindex(int index);
/** Finds the palette index nearest to red, green, blue (0..255 each).
 * @return The index (the lowest on ties). */
RS_API int rs_findrgb(int red, int green, int blue);
/** Sets the fourth byte that colours made from red, green and blue get at 24 and 32 bits.
 * @return The previous value. */
RS_API int rs_setalpha(int alpha);
/** Sets the fourth byte of every pixel inside the clip rectangle to alpha & 0xFF.
 * @pre An active 32-bit buffer.
 * @return 0; -1 without one. */
RS_API int rs_xalpha(int alpha);
/** Makes the fourth byte of every pixel inside the clip rectangle 0 where its colour is key &
 * 0xFFFFFF, 255 elsewhere.
 * @pre An active 32-bit buffer.
 * @return 0; -1 without one. */
RS_API int rs_yalpha(int key);

/** @} */

/** @defgroup fixed 16.16 fixed point
 *  @ingroup services
 * rs_fixed: the nearest 16.16 value of a double (halves away from zero; NaN gives 0);
 * rs_float: a 16.16 value as a double (exact); rs_fixmul: a x b rounded to nearest;
 * rs_fixdiv: a / b truncated toward zero, b = 0 giving INT_MAX or INT_MIN by the sign of
 * a (0 / 0 gives 0). Results beyond 32 bits saturate to INT_MIN or INT_MAX. rs_fixtrig
 * stores the 16.16 cosine and sine of an angle in tenths of a degree, the values arcs and
 * image rotation use (65536 for 1), skipping NULL pointers; returns 0.
 * @{
 */
/** Converts a double to 16.16 fixed point, to nearest.
 * @return The 16.16 value, saturated to the int range. */
RS_API int rs_fixed(double value);
/** Converts a 16.16 value to a double, exactly.
 * @return The double. */
RS_API double rs_float(int value);
/** Multiplies two 16.16 values, to nearest.
 * @return The 16.16 product, saturated. */
RS_API int rs_fixmul(int a, int b);
/** Divides 16.16 value a by b, truncating toward zero.
 * @return The 16.16 quotient, saturated (INT_MAX or INT_MIN for b = 0). */
RS_API int rs_fixdiv(int a, int b);
/** Stores the 16.16 cosine and sine of angle tenths of a degree (NULL pointers skipped).
 * @return 0. */
RS_API int rs_fixtrig(int tenths, int *cosine, int *sine);

/** @} */

/** @defgroup distance Screen distances in world units, memory
 *  @ingroup core
 * rs_xconvert and rs_yconvert give the world extent of a distance of pixels along x or y:
 * pixels x (world width) / (maxx + 1), the inverse of the length scaling that circles
 * use; 0 before a world window is set. rs_memavail returns the kilobytes of memory the
 * system reports as still available (at most INT_MAX; 0 where the host cannot tell).
 * @{
 */
/** World extent of pixels columns of the last opened buffer.
 * @return World units; 0 before a world window is set. */
RS_API double rs_xconvert(int pixels);
/** World extent of pixels rows of the last opened buffer.
 * @return World units; 0 before a world window is set. */
RS_API double rs_yconvert(int pixels);
/** Memory the system reports as still available.
 * @return Kilobytes, at most INT_MAX; 0 where the host cannot tell. */
RS_API int rs_memavail(void);

/** @} */

/** @defgroup pages Pages
 *  @ingroup core
 * Page flipping between virtual buffers: rs_setpage(handle) shows buffer handle whole,
 * its top-left pixel at the window DC's (0, 0), without opening it (an 8-bit buffer shows
 * with the colour table it had when last opened), and remembers it as the visible page;
 * -1 for a handle not in use. rs_getpage returns the visible page, or -1 when there is
 * none or it has been freed. rs_pagesize stores the visible page's width and height
 * (NULL pointers skipped); -1 without a visible page.
 * @{
 */
/** Shows buffer handle whole on the window DC at (0, 0), without opening it, and makes it the
 * visible page.
 * @pre A device set with rs_setdc.
 * @return 0; -1 for a handle not in use. */
RS_API int rs_setpage(int handle);
/** The visible page.
 * @return Its handle; -1 when there is none or it was freed. */
RS_API int rs_getpage(void);
/** Stores the visible page's width and height (NULL pointers skipped).
 * @return 0; -1 without a visible page. */
RS_API int rs_pagesize(int *width, int *height);

/** @} */

/** @defgroup cells Text in character cells
 *  @ingroup services
 * The active buffer seen as rows of character cells of the current font: each cell is
 * the font's average character width across and its line height down, cell (0, 0) at the
 * top-left corner. rs_locate moves the text cursor to a row and column (-1, nothing moved,
 * for a negative one); rs_where stores it (NULL pointers skipped). rs_text draws count
 * characters of string (count < 0: up to its terminating 0; a 0 byte ends it early), each
 * in the cell at the text cursor with the current font and colour as rs_print draws, and
 * moves the cursor one cell on: to column 0 of the next row when a row has no whole cell
 * left, on a line feed (which draws nothing), and to column 0 on a carriage return. Cells
 * outside the buffer draw nothing. The graphics cursor and the justification stay as they
 * were. rs_vbinit puts the text cursor at (0, 0). rs_getlines returns how many whole rows of cells the
 * active buffer holds (0 without one).
 * @{
 */
/** Moves the text cursor to row and column of character cells.
 * @return 0; -1 for a negative row or column (nothing moved). */
RS_API int rs_locate(int row, int column);
/** Stores the text cursor's row and column (NULL pointers skipped).
 * @return 0. */
RS_API int rs_where(int *row, int *column);
/** Draws count characters of string (count < 0: up to its end) in character cells from the text
 * cursor, moving it on.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_text(const char *string, int count);
/** Rows of whole character cells the active buffer holds.
 * @return The row count; 0 without a buffer. */
RS_API int rs_getlines(void);

/** @} */

/** @defgroup blocks Blocks and saved backgrounds
 *  @ingroup images
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
 * @{
 */
/** Copies the rectangle of the active buffer into block in its own pixel bytes, rows top first.
 * @pre An active buffer.
 * @return Bytes written; -1 as listed in the group notes. */
RS_API int rs_getblock(int minx, int maxx, int miny, int maxy, unsigned char *block);
/** Writes block back into the rectangle, cut to the clip rectangle.
 * @pre An active buffer.
 * @return 0; -1 as rs_getblock. */
RS_API int rs_putblock(int minx, int maxx, int miny, int maxy, const unsigned char *block);
/** Keeps a copy of the rectangle of the active buffer in the library's memory.
 * @pre An active buffer.
 * Only the part of the rectangle inside the buffer is kept, so the rectangle may be of any
 * size and may lie partly or wholly outside.
 * @return 0; -1 when the rectangle is inverted; -2 no memory; -3 when 4096 saves are kept. */
RS_API int rs_save(int minx, int maxx, int miny, int maxy);
/** Puts the latest save of the same rectangle back and drops it.
 * @pre An active buffer of the saved depth.
 * @return 0; -1 when no such save exists or the depth differs. */
RS_API int rs_restore(int minx, int maxx, int miny, int maxy);
/** rs_save for a rectangle in world coordinates.
 * @pre An active buffer and a world window.
 * @return As rs_save. */
RS_API int rs_savew(double minx, double maxx, double miny, double maxy);
/** rs_restore for a rectangle in world coordinates.
 * @pre An active buffer and a world window.
 * @return As rs_restore. */
RS_API int rs_restorew(double minx, double maxx, double miny, double maxy);

/** @} */

/** @defgroup masks Masks
 *  @ingroup images
 * A mask is an image array (one byte a pixel, width x height, first row the bottom one at
 * the graphics cursor) whose bytes say where to draw, not what: rs_drawmask writes the
 * current colour where a byte is not 0, rs_revmask where it is 0; both are cut to the
 * buffer. rs_clipmask is rs_drawmask cut to the clip rectangle, rs_flipmask the same
 * mirrored left to right (as rs_flpimage mirrors). The cursor does not move; NULL masks
 * and sizes below 1 draw nothing. Returns 0.
 * @{
 */
/** Draws the current colour where a byte of the mask (width x height, bottom row at the graphics
 * cursor) is not 0; cut to the buffer.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_drawmask(const unsigned char *mask, int width, int height);
/** Draws the current colour where a byte of the mask is 0; cut to the buffer.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_revmask(const unsigned char *mask, int width, int height);
/** rs_drawmask clipped to the clip rectangle.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_clipmask(const unsigned char *mask, int width, int height);
/** rs_clipmask mirrored left to right.
 * @pre An active buffer.
 * @return 0. */
RS_API int rs_flipmask(const unsigned char *mask, int width, int height);

/** @} */

/** @defgroup xfer Transfers between depths
 *  @ingroup images
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
 * @{
 */
/** Copies a block from buffer source to buffer dest as rs_vbcopy does, converting each pixel's
 * colour when the depths differ.
 * @return 0. */
RS_API int rs_transfer(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
/** rs_transfer skipping source pixels equal to the key of rs_tcmask.
 * @return 0. */
RS_API int rs_tcxfer(int minx, int maxx, int miny, int maxy, int newx, int newy, int source, int dest);
/** Sets the transparent key of rs_tcxfer and sprites, a colour value of the source depth (0 after
 * rs_vbinit).
 * @return 0. */
RS_API int rs_tcmask(int key);

/** @} */

/** @defgroup packed Packed pictures and sprites
 *  @ingroup images
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
 * (an inverted rectangle), no active buffer, or a picture beyond INT_MAX bytes; -2 without
 * memory for one row of the picture.
 * rs_showppr and rs_showspr draw one of bytes bytes (the caller's memory); rs_unpack writes
 * one back into an image array (0 where transparent) of width x height bytes and returns
 * that size (NULL array: only returns it). All three first check the whole picture and
 * return -1, touching nothing, for one that is damaged, of the wrong kind or longer than
 * bytes; rs_showspr also for a sprite of a depth other than the active buffer's. Drawing
 * without an active buffer returns 0.
 * @{
 */
/** Packs an image array of width x height indices (0 transparent) into packed (NULL: only
 * measures).
 * @return The picture's bytes; -1 as listed in the group notes. */
RS_API int rs_pack(const unsigned char *array, int width, int height, unsigned char *packed);
/** Unpacks a packed picture of bytes bytes into an image array (NULL: only measures).
 * @return width x height; -1 for a damaged picture. */
RS_API int rs_unpack(const unsigned char *packed, int bytes, unsigned char *array);
/** Packs a rectangle of the active buffer read as palette indices into packed (NULL: only
 * measures).
 * @pre An active buffer.
 * @return The picture's bytes; -1 as listed in the group notes. */
RS_API int rs_makeppr(int minx, int maxx, int miny, int maxy, unsigned char *packed);
/** Draws a packed picture of bytes bytes at the graphics cursor, clipped.
 * @pre An active buffer.
 * @return 0; -1 for a damaged picture. */
RS_API int rs_showppr(const unsigned char *packed, int bytes);
/** Makes a sprite of a rectangle of the active buffer in sprite (NULL: only measures), the
 * rs_tcmask key transparent.
 * @pre An active buffer.
 * @return The sprite's bytes; -1 as listed in the group notes. */
RS_API int rs_makespr(int minx, int maxx, int miny, int maxy, unsigned char *sprite);
/** Draws a sprite of bytes bytes at the graphics cursor, clipped.
 * @pre An active buffer of the sprite's depth.
 * @return 0; -1 for a damaged sprite or one of another depth. */
RS_API int rs_showspr(const unsigned char *sprite, int bytes);

/** @} */

/** @defgroup display Pictures by their contents
 *  @ingroup files
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
 * @{
 */
/** Shows a whole BMP, JPEG, PCX or FLI/FLC file held in memory (size bytes), chosen by its first
 * bytes; flags as the readers take them.
 * @pre An active buffer.
 * @return The reader's result; 2 not a picture of these kinds. */
RS_API int rs_display(const void *data, int size, int flags);
/** Shows the named BMP, JPEG, PCX or FLI/FLC file with its top-left corner at (x, y), setting the
 * palette.
 * @pre An active buffer.
 * @return The reader's result; 1 cannot open; 2 not a picture of these kinds. */
RS_API int rs_dispfile(const char *filename, int x, int y);
/** rs_dispfile leaving the palette alone.
 * @pre An active buffer.
 * @return As rs_dispfile. */
RS_API int rs_displayp(const char *filename, int x, int y);

/** @} */

/** @defgroup int3d Integer 3D models
 *  @ingroup three_d
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
 * @{
 */
/** Places the viewer at (x, y, z) turned by xangle and yangle tenths of a degree, without roll.
 * @return 0. */
RS_API int rs_view3d(int x, int y, int z, int xangle, int yangle);
/** Adds (dx, dy, dz) to n int points in place.
 * @return 0; -1 when a coordinate was held to the int range. */
RS_API int rs_move3d(int *points, int n, int dx, int dy, int dz);
/** Turns n int points in place about the origin by xangle, yangle, zangle tenths of a degree.
 * @return 0; -1 when a coordinate was held to the int range. */
RS_API int rs_rotate3d(int *points, int n, int xangle, int yangle, int zangle);
/** Projects n int world points (object points when object is not 0) onto the screen as (x, y) pairs
 * in out.
 * @return 0; -1 when a point has no place on the screen. */
RS_API int rs_project(const int *points, int *out, int n, int object);

/** @} */

#ifdef __cplusplus
}
#endif

#endif /* RSW32_H */
