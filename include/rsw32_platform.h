/**
 * @file rsw32_platform.h
 * @brief rsw32 host side: what a program needs on a system without the Windows API to set up
 * the host the library draws for.
 *
 * These functions are not part of the drawing interface and all carry the prefix rsp_.
 * RSW32.DLL does not export them, as the Windows API offers the same there; on Windows
 * they are reached by linking the static library (as the library's own tests do).
 *
 * @defgroup host Host set-up
 * @brief Surfaces and windows to present to, printers, clipboard, injected input, fonts.
 */
#ifndef RSW32_PLATFORM_H
#define RSW32_PLATFORM_H

#include "rsw32.h"

#ifdef __cplusplus
extern "C" {
#endif

/** @defgroup host_system System facts
 *  @ingroup host
 * The headless host reports a display of 32 bits per pixel and the NT family (whose
 * 16- and 32-bit bitmap headers use the short 40-byte form followed by three masks).
 * A display of 8 bits or fewer makes 8-bit buffers use palette-index colour tables.
 * @{
 */
/** Sets the bits per pixel the headless host reports for its display (32 at start); 8 or fewer
 * makes new 8-bit buffers use palette-index colour tables. The Windows host reports its screen's
 * depth until this is called, and again after it is called with 0.
 * @return 0. */
RS_API int rsp_set_display_depth(int bits);
/** Chooses whether the host reports the NT family (not 0, the start), which decides the header form
 * of 16- and 32-bit bitmaps.
 * @return 0. */
RS_API int rsp_set_nt_family(int nt);

/** @} */

/** @defgroup host_devices Devices to present to
 *  @ingroup host
 * A device is an RS_HDC for rs_setdc (or rs_printdc). Surfaces are off-screen: width x
 * height pixels, black at first. rsp_surface_pixels reads what a surface or a window shows:
 * width x height words 0x00RRGGBB, top row first; the pointer stays valid until the device
 * is destroyed or the window is resized (NULL for anything but a surface or window).
 * rsp_surface_create returns NULL for a side below 1 or more than 2^28 pixels.
 *
 * rsp_focus gives a device the keyboard focus, which the client mapping (rs_xclient,
 * rs_yclient, rs_xvb, rs_yvb) reads: a surface's client area is client_width x
 * client_height (its own size when those are 0 or below), a window's is its own size.
 * rsp_focus(NULL, 0, 0) leaves no device with the focus.
 *
 * Windows exist when the library was built with SDL2 or for Windows (otherwise
 * rsp_window_open returns NULL). Opening a window gives it the focus. The window shows what was drawn into it at
 * the next rsp_window_pump, which also handles the window's events; call it once a
 * frame. It returns 1 while the window is open and 0 once the user closed it (the device
 * stays valid, drawing into it is kept but not shown) until rsp_window_close releases it.
 * Surfaces and windows are released only by their rsp_ functions, never by the library.
 * @{
 */
/** Creates an off-screen surface of width x height pixels, black, to present to.
 * @return The device; NULL for a side below 1 or more than 2^28 pixels. */
RS_API RS_HDC rsp_surface_create(int width, int height);
/** Releases a surface from rsp_surface_create.
 * @return 0. */
RS_API int rsp_surface_destroy(RS_HDC surface);
/** Reads what a surface or window shows, as 0x00RRGGBB words, top row first, and stores its size
 * (NULL pointers skipped).
 * @return The pixels; NULL for another device. */
RS_API const unsigned int *rsp_surface_pixels(RS_HDC device, int *width, int *height);
/** Gives device the keyboard focus, with a client area of client_width x client_height for a
 * surface (its own size for 0 or below); NULL leaves none.
 * @return 0. */
RS_API int rsp_focus(RS_HDC device, int client_width, int client_height);
/** Opens a window of width x height pixels titled title and gives it the focus.
 * @return The device; NULL without a window system (or a build without SDL2). */
RS_API RS_HDC rsp_window_open(int width, int height, const char *title);
/** Shows what was drawn into the window and handles its events; call it once a frame.
 * @return 1 while the window is open, 0 once the user closed it. */
RS_API int rsp_window_pump(RS_HDC window);
/** Closes a window from rsp_window_open and releases it.
 * @return 0. */
RS_API int rsp_window_close(RS_HDC window);

/** @} */

/** @defgroup host_printers Printers
 *  @ingroup host
 * rsp_printer_add names a printer: a name of 1..255 characters, the file its documents are
 * written to (a PDF document, one PDF page per printed page), its resolution in pixels
 * (1..2^20 each way), its paper size in millimetres (1..10000 each way), and whether it can
 * stretch bitmaps (rs_printer(10) refuses a printer that cannot, with -3). Adding a name
 * again replaces that printer for DCs opened later. rsp_printer_default chooses the printer
 * rs_printer(10) opens (NULL: none, so rs_printer(10) returns -1; a name never added makes
 * it return -4). Both return 0, or -1 for an unusable argument.
 * @{
 */
/** Adds or replaces printer name, writing its documents to output_file as PDF, with a resolution of
 * horzres x vertres pixels, paper of width_mm x height_mm, and can_stretch saying whether it can
 * stretch bitmaps.
 * @return 0; -1 for an unusable argument. */
RS_API int rsp_printer_add(const char *name, const char *output_file, int horzres, int vertres,
                           int width_mm, int height_mm, int can_stretch);
/** Chooses the printer rs_printer(10) opens (NULL: none).
 * @return 0; -1 for an unusable argument. */
RS_API int rsp_printer_default(const char *name);

/** @} */

/** @defgroup host_clipboard Clipboard
 *  @ingroup host
 * One clipboard per process, holding a device-independent bitmap (format 8) and, with an
 * 8-bit bitmap from rs_vb2clip, a palette (format 9). rsp_clipboard_put_dib empties it and
 * puts a copy of the given bytes on it as format 8 (0; -1 for no data or a clipboard
 * that is held, -2 without memory). rsp_clipboard_get copies up to capacity bytes of what
 * is there in that format into out and returns its full size (0 when there is nothing);
 * a palette reads as its logical-palette record: version 0x300, count, and red, green,
 * blue, flags per entry. While rsp_clipboard_hold(1) is in force the library cannot open
 * the clipboard, as when another program has it open.
 * @{
 */
/** Empties the clipboard and puts a copy of bytes bytes of a device-independent bitmap on it.
 * @return 0; -1 no data or the clipboard is held; -2 no memory. */
RS_API int rsp_clipboard_put_dib(const unsigned char *dib, int bytes);
/** Copies up to capacity bytes of the clipboard's format (8 bitmap, 9 palette) into out.
 * @return The full size of what is there; 0 when there is nothing. */
RS_API int rsp_clipboard_get(int format, unsigned char *out, int capacity);
/** With held not 0, keeps the library from opening the clipboard, as another program holding it
 * would.
 * @return 0. */
RS_API int rsp_clipboard_hold(int held);

/** @} */

/** @defgroup host_input Input, clock and display modes of the headless host
 *  @ingroup host
 * The headless host answers for input while no window has the focus: its pointer, keys
 * and display modes are what these functions inject, and what the library asked of them
 * is read back here. Its screen puts every surface's client area at the origin, so pointer
 * positions are client coordinates of whichever surface has the focus. The clock and the
 * show counter, cursor and cursor masks read back here are those of every host.
 *
 * rsp_input_reset: the pointer at (0, 0), free, shown, the arrow, a mouse present, cursors
 * of 32 x 32, no key down, the real clock, no display modes. Returns 0.
 * rsp_mouse_present: whether rs_mouseini finds a mouse (1 at first).
 * rsp_cursor_size: the size of the host's cursors, multiples of 8 from 8 to 128 (-1 else).
 * rsp_pointer_move: a person moving the pointer; the limit set with rs_mouselim holds it.
 * rsp_pointer: stores the pointer position (after rs_mousemov and limits) and, when it is
 * limited, the limit as left, top, right, bottom (right and bottom exclusive) in limits[4];
 * returns 1 when limited, 0 when free. Null pointers are not written.
 * rsp_pointer_shown: the show counter (the pointer is visible at 0 and above); stores in
 * *calls how often the library showed or hid it.
 * rsp_cursor: the cursor last given to rs_mousecur (NULL: the arrow).
 * rsp_cursor_masks: a cursor's size, hot spot, and its AND and XOR masks, width / 8 bytes a
 * row, leftmost pixel in the top bit, top row first (width / 8 x height bytes each; NULL
 * arguments are skipped). -1 for a handle that is no cursor.
 * rsp_key: holds key number key (1..255: 1 left, 2 right, 4 middle button, 0xA0/0xA1 left
 * and right shift, 'A'..'Z', '0'..'9', 0x1B escape, ...: the numbers of the Windows virtual
 * keys) down or lets it go. -1 for another number.
 * rsp_clock_inject: with injected 1, the tick counter reads ms and moves only when the
 * library waits (by the time it waits, 1 ms for each poll of a wait for the next tick);
 * with 0, the real clock. rsp_clock reads the tick counter, milliseconds.
 * rsp_display_modes: the display's modes as count (width, height, bits) triples, the first
 * being the one in force; count 0 leaves none. -1 for a negative count or missing modes.
 * rsp_display_mode: stores the mode in force (zeros without modes) and the flags of the
 * last change asked for (1 keep, 2 only test, 4 temporary; 0 also for going back); returns
 * how many changes were asked for since rsp_display_modes.
 * @{
 */
/** Puts the headless host's input back: pointer at (0, 0), free, shown, the arrow, a mouse, 32 x 32
 * cursors, no key down, the real clock, no display modes.
 * @return 0. */
RS_API int rsp_input_reset(void);
/** Sets whether rs_mouseini finds a mouse.
 * @return 0. */
RS_API int rsp_mouse_present(int present);
/** Sets the size of the host's cursors, multiples of 8 from 8 to 128.
 * @return 0; -1 for another size. */
RS_API int rsp_cursor_size(int width, int height);
/** Moves the pointer as a person would, held by any limit of rs_mouselim.
 * @return 0. */
RS_API int rsp_pointer_move(int x, int y);
/** Stores the pointer position and, when limited, the limit as left, top, right, bottom in
 * limits[4] (NULL pointers skipped).
 * @return 1 when limited, 0 when free. */
RS_API int rsp_pointer(int *x, int *y, int *limits);
/** Stores in *calls how often the library showed or hid the pointer.
 * @return The show counter (visible at 0 and above). */
RS_API int rsp_pointer_shown(int *calls);
/** The cursor last given to rs_mousecur.
 * @return The cursor; NULL for the arrow. */
RS_API RS_HCURSOR rsp_cursor(void);
/** Copies a cursor's AND and XOR masks and stores its size and hot spot (NULL arguments skipped).
 * @return 0; -1 for a handle that is no cursor. */
RS_API int rsp_cursor_masks(RS_HCURSOR cursor, unsigned char *and_mask, unsigned char *xor_mask,
                            int *width, int *height, int *hot_x, int *hot_y);
/** Holds key number key (1..255, the Windows virtual-key numbers) down (down not 0) or lets it go.
 * @return 0; -1 for another number. */
RS_API int rsp_key(int key, int down);
/** With injected not 0 the tick counter reads ms and moves only while the library waits; with 0 it
 * is the real clock.
 * @return 0. */
RS_API int rsp_clock_inject(int injected, unsigned int ms);
/** Reads the tick counter.
 * @return Milliseconds. */
RS_API unsigned int rsp_clock(void);
/** Sets the display's modes as count (width, height, bits) triples, the first in force.
 * @return 0; -1 for a negative count or missing modes. */
RS_API int rsp_display_modes(const int *modes, int count);
/** Stores the mode in force and the flags of the last change asked for (1 keep, 2 only test, 4
 * temporary).
 * @return The changes asked for since rsp_display_modes. */
RS_API int rsp_display_mode(int *width, int *height, int *bits, int *last_flags);

/** @} */

/** @defgroup host_fonts Fonts
 *  @ingroup host
 * rsp_font_create makes a font for rs_logfont: the installed face nearest to the family
 * name (NULL or "" for DejaVu Sans) at an em of pixel_height pixels (1..1024), a weight
 * of 1..1000 (400 normal, 700 bold; 0 means 400), upright or italic, drawn monochrome
 * or, with antialias 1, with antialiased edges in 16-, 24- and 32-bit buffers (8-bit
 * buffers draw the pixels of at least half coverage). A weight or slant the face lacks is
 * synthesised. It returns NULL for an argument out of range. Where no font file can be
 * found (or the library was built without FreeType and fontconfig) the font is the
 * built-in 8 x 16 fixed-pitch bitmap font, which then also serves every stock font.
 * rsp_font_destroy releases a font made by rsp_font_create: 0, or -1 for any other
 * handle (stock fonts, destroyed fonts). A current font that is destroyed gives way to
 * stock font 10 at the next rs_print.
 * rsp_set_system_fonts(0) makes the host behave as one without font files: fonts made
 * and stock fonts loaded from then on are the built-in font (fonts made before keep
 * theirs); rsp_set_system_fonts(1) ends that. Both return 0.
 * @{
 */
/** Makes a font for rs_logfont from the installed face nearest to face, pixel_height pixels, weight
 * 1..1000, italic and antialias as asked.
 * @return The font; NULL for an argument out of range. */
RS_API RS_HFONT rsp_font_create(const char *face, int pixel_height, int weight, int italic, int antialias);
/** Releases a font from rsp_font_create.
 * @return 0; -1 for any other handle. */
RS_API int rsp_font_destroy(RS_HFONT font);
/** With available 0 the host behaves as one without font files (every font made from then on is the
 * built-in one); 1 ends that.
 * @return 0. */
RS_API int rsp_set_system_fonts(int available);

/** @} */

/** @defgroup host_allocation Failing allocations
 *  @ingroup host
 * rsp_fail_allocation(n) makes the n-th sizeable allocation the library asks of its host
 * from now on fail, as on a system out of memory; the allocations before and after it
 * succeed. n = 0 ends that. Every call that allocates then gives its result for short
 * memory (-2 from rs_vballoc, NULL from rs_zballoc, 5 from rs_showbmp, ...), holds nothing
 * it allocated before the failure and leaves the library as usable as before.
 * @{
 */
/** Makes the n-th allocation from now fail (n = 0: none).
 * @return How many allocations were still to go before the failure arranged by the previous
 * call (0 when it has happened or none was arranged), so that a caller can tell whether a call
 * reached it; -1 for n < 0 (nothing changed). */
RS_API int rsp_fail_allocation(int n);

/** @} */

#ifdef __cplusplus
}
#endif

#endif /* RSW32_PLATFORM_H */
