// The Windows host on the system itself (run under Wine on a virtual X server): presenting
// into a real window and reading the window back, the clipboard round trip through the
// system clipboard, the pointer and keys through the window system, and the display
// settings; the system's bitmaps, device contexts, palettes and printers beside the
// library's own copies.
#include <windows.h>

#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/windows/gdi.h"
#include "platform/windows/window.h"
#include "support.h"

using namespace test;

namespace {

// A window with the focus, 320 × 240 (wide enough for any caption), and a 160 × 120
// buffer whose corners are marked.
class Win32Host : public Library {
protected:
    void SetUp() override {
        Library::SetUp();
        window = rsp_window_open(320, 240, "rsw32 test");
        ASSERT_NE(window, nullptr) << "no window: is there a display?";
        hwnd = static_cast<host::Window*>(window)->hwnd;
        rs_vbdepth(24);
        ASSERT_EQ(rs_vbopen(rs_vballoc(160, 120)), 0);
        rs_setcolorrgb(10, 20, 30), rs_point(0, 119), rs_setcolorrgb(200, 100, 50), rs_point(159, 0);
        rs_setdc(window);
    }
    void TearDown() override {
        rsp_window_close(window);
        Library::TearDown();
    }
    // What the window shows at (x, y) of its client area, read back from its device context.
    uint32_t shown(int x, int y) {
        HDC dc = GetDC(hwnd);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(hwnd, dc);
        return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    }
    RS_HDC window = nullptr;
    HWND hwnd = nullptr;
};

TEST_F(Win32Host, PastedAndScaledBuffersReachTheWindowOnTheScreen) {
    RECT client;
    ASSERT_TRUE(GetClientRect(hwnd, &client));
    EXPECT_EQ(list(int(client.right), int(client.bottom)), list(320, 240));
    rs_vbpaste(0, 159, 0, 119, 0, 239);
    EXPECT_EQ(rsp_window_pump(window), 1);
    EXPECT_EQ(list(shown(0, 239), shown(159, 120), shown(160, 120), shown(0, 119)), list(0x0A141Eu, 0xC86432u, 0u, 0u));
    rs_vbscale(0, 159, 0, 119, 0, 319, 0, 239);
    EXPECT_EQ(rsp_window_pump(window), 1);
    EXPECT_EQ(list(shown(0, 239), shown(1, 238), shown(319, 0), shown(318, 1)), list(0x0A141Eu, 0x0A141Eu, 0xC86432u, 0xC86432u));
    // Painting again after the window was covered shows the same pixels.
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    EXPECT_EQ(list(shown(0, 239), shown(319, 0)), list(0x0A141Eu, 0xC86432u));
    // Closing hides the window; its device lives on until released.
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(rsp_window_pump(window), 0);
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(Win32Host, ResizingKeepsWhatWasDrawnAndFollowsTheClientArea) {
    rs_vbpaste(0, 159, 0, 119, 0, 119);
    RECT frame{0, 0, 400, 300};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    SetWindowPos(hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(rsp_window_pump(window), 1);
    int w = 0, h = 0;
    const unsigned* p = rsp_surface_pixels(window, &w, &h);
    ASSERT_TRUE(p);
    EXPECT_EQ(list(w, h), list(400, 300));
    EXPECT_EQ(list(p[119 * 400], p[159]), list(0x0A141Eu, 0xC86432u));
    EXPECT_EQ(list(shown(0, 119), shown(159, 0)), list(0x0A141Eu, 0xC86432u));
}

// The bitmap the library cuts is on the system clipboard for any program; a bitmap another
// program puts there is what the library pastes.
TEST_F(Win32Host, BitmapsTravelThroughTheSystemClipboard) {
    ASSERT_EQ(rs_vb2clip(0, 159, 0, 119), 0);
    ASSERT_TRUE(OpenClipboard(hwnd));
    HANDLE data = GetClipboardData(CF_DIB);
    ASSERT_NE(data, nullptr);
    const auto* dib = static_cast<const uint8_t*>(GlobalLock(data));
    ASSERT_NE(dib, nullptr);
    const uint32_t header = host::read_u32(dib);
    EXPECT_EQ(list(int(host::read_u32(dib + 4)), int(host::read_u32(dib + 8)), int(host::read_u16(dib + 14))), list(160, 120, 24));
    const uint8_t* bottom_left = dib + header;  // rows bottom first, blue, green, red
    const uint8_t* top_right = dib + header + 119 * 480 + 159 * 3;
    EXPECT_EQ(list(bottom_left[0], bottom_left[1], bottom_left[2], top_right[2]), list<uint8_t>(30, 20, 10, 200));
    GlobalUnlock(data);
    CloseClipboard();

    // Another program's bitmap: 2 × 1 pixels, 24 bits.
    uint8_t other[40 + 8] = {};
    host::write_u32(other, 40), host::write_u32(other + 4, 2), host::write_u32(other + 8, 1);
    host::write_u16(other + 12, 1), host::write_u16(other + 14, 24);
    other[40] = 1, other[41] = 2, other[42] = 3, other[43] = 4, other[44] = 5, other[45] = 6;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof other);
    std::memcpy(GlobalLock(memory), other, sizeof other);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(hwnd));
    EmptyClipboard();
    ASSERT_NE(SetClipboardData(CF_DIB, memory), nullptr);
    CloseClipboard();
    ASSERT_EQ(rs_clip2vb(4, 5, 7, 7, 0), 0);
    EXPECT_EQ(list(rs_getpixel(4, 7), rs_getpixel(5, 7)), list(0x030201, 0x060504));
    // Without flag 2 the bitmap is taken off, from the system clipboard too.
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_DIB));
}

// The pointer moves through the window system and is read back from it; keys pressed
// through the system's input are seen by the key test.
TEST_F(Win32Host, PointerAndKeysGoThroughTheWindowSystem) {
    ASSERT_EQ(rs_mouseini(), 1);
    rs_vbpaste(0, 159, 0, 119, 0, 119);
    rsp_window_pump(window);
    ASSERT_EQ(rs_mousemov(10, 12), 0);
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(hwnd, &p);
    int x = -1, y = -1;
    EXPECT_EQ(rs_mousepos(&x, &y), 0);
    EXPECT_EQ(list(x, y), list(int(p.x) / 2, int(p.y) / 2));
    if (p.x != 20 || p.y != 24) GTEST_SKIP() << "this display does not move the pointer (it is at " << p.x << ", " << p.y << ")";
    EXPECT_EQ(list(x, y), list(10, 12));

    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_KEYBOARD;
    press[0].ki.wVk = press[1].ki.wVk = VK_LSHIFT;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    // The window system brings the key states in line with the display when the window
    // takes the focus: that has to have happened before a key goes down.
    for (int i = 0; i < 5; ++i) rsp_window_pump(window), Sleep(20);
    ASSERT_EQ(SendInput(1, &press[0], sizeof(INPUT)), 1u);
    rsp_window_pump(window);
    const int left_shift = rs_kbtest(0x2A), right_shift = rs_kbtest(0x36);
    SendInput(1, &press[1], sizeof(INPUT));
    rsp_window_pump(window);
    if (!left_shift) GTEST_SKIP() << "this display does not deliver synthesized keys";
    EXPECT_EQ(list(left_shift, right_shift, rs_kbtest(0x2A)), list(1, 0, 0));
}

// Display modes come from the display settings: the current mode can be set (as a test),
// a mode the display lacks cannot.
TEST_F(Win32Host, DisplayModesComeFromTheDisplaySettings) {
    DEVMODEA current{};
    current.dmSize = sizeof current;
    ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
    const int w = int(current.dmPelsWidth), h = int(current.dmPelsHeight), bits = int(current.dmBitsPerPel);
    EXPECT_EQ(rs_modetest(w, h, bits), 0) << w << " x " << h << " x " << bits;
    EXPECT_EQ(rs_modetest(12345, 17, bits), -1);
    EXPECT_EQ(rs_modeset(0, 0, 0, 0), 0);  // back to the mode the session started in
}

}  // namespace

// ---- bitmaps, device contexts, palettes and printers over the system's graphics --------

namespace {

// A device the system draws on: a memory DC of the host holding a w × h 32-bit DIB section.
struct SystemTarget {
    SystemTarget(int w, int h) : width(w), height(h) {
        uint8_t header[40] = {};
        host::write_u32(header, 40), host::write_u32(header + 4, uint32_t(w)), host::write_u32(header + 8, uint32_t(h));
        host::write_u16(header + 12, 1), host::write_u16(header + 14, 32);
        bitmap = host::create_dib_section(nullptr, header, host::dib_rgb_colors, &bits);
        dc = host::create_memory_dc();
        host::select_bitmap(dc, bitmap);
        hdc = host::system_dc(dc);
        std::fill_n(reinterpret_cast<uint32_t*>(bits), w * h, 0x123456u);
    }
    ~SystemTarget() { host::delete_dc(dc), host::delete_bitmap(bitmap); }
    // Rows bottom-up in memory: pixel (x, y) from the top-left.
    uint32_t at(int x, int y) const { return reinterpret_cast<const uint32_t*>(bits)[size_t((height - 1 - y) * width + x)] & 0xFFFFFF; }
    int width, height;
    uint8_t* bits = nullptr;
    host::Bitmap* bitmap = nullptr;
    host::Device* dc = nullptr;
    HDC hdc = nullptr;
};

// A surface of the same size: the library's own copy.
struct HostTarget {
    HostTarget(int w, int h) : width(w), dc(rsp_surface_create(w, h)) {
        auto* p = const_cast<unsigned*>(rsp_surface_pixels(dc, nullptr, nullptr));
        std::fill_n(p, w * h, 0x123456u);
    }
    ~HostTarget() { rsp_surface_destroy(dc); }
    uint32_t at(int x, int y) const { return rsp_surface_pixels(dc, nullptr, nullptr)[size_t(y * width + x)]; }
    int width;
    RS_HDC dc;
};

class SystemGraphics : public EachDepth {};

// The library's buffers are DIB sections in the library's memory DC. Copies onto a system
// DC give the same pixels as the library's own copies onto a surface, for every source
// depth, one to one, enlarged, shrunk, mirrored and half outside.
TEST_P(SystemGraphics, SystemCopiesMatchTheLibrarysOwn) {
    open(7, 5);
    for (auto [x, y] : area(0, 6, 0, 4)) rs_setcolorrgb(x * 40, y * 60, (x + y) * 20), rs_point(x, y);
    HDC memory = host::system_dc(host::device_from_handle(rs_getdc()));
    ASSERT_NE(memory, nullptr);
    // The system sees the buffer's own memory as the DC's bitmap (it widens 16-bit colours
    // its own way when it reads them, which is why the copies below are the library's there).
    DIBSECTION section{};
    ASSERT_EQ(GetObjectA(GetCurrentObject(memory, OBJ_BITMAP), sizeof section, &section), int(sizeof section));
    EXPECT_EQ(list(int(section.dsBm.bmWidth >= 7), int(section.dsBm.bmHeight), int(section.dsBm.bmBitsPixel)), list(1, 5, depth()));
    EXPECT_EQ(section.dsBm.bmBits, rs_vbaddr(rs_vbhandle()));
    struct Case { int minx, maxx, miny, maxy, dminx, dmaxx, dminy, dmaxy; };
    const Case cases[] = {{0, 6, 0, 4, 0, 6, 0, 4},     {0, 6, 0, 4, 2, 15, 1, 10},   {1, 5, 1, 3, 0, 2, 0, 1},
                          {0, 6, 0, 4, 12, 0, 0, 8},    {0, 6, 0, 4, 0, 16, 9, 0},    {2, 4, 0, 4, -5, 9, -3, 12},
                          {0, 6, 0, 4, 13, -1, 11, -2}, {0, 2, 1, 2, 0, 17, 0, 12}, {0, 6, 0, 4, 15, 0, 11, 0},
                          {1, 3, 0, 4, 14, -2, -6, 13}};
    for (const Case& c : cases) {
        SystemTarget system(17, 12);
        HostTarget own(17, 12);
        for (RS_HDC dc : {static_cast<RS_HDC>(system.dc), own.dc}) {
            rs_setdc(dc);
            rs_vbscale(c.minx, c.maxx, c.miny, c.maxy, c.dminx, c.dmaxx, c.dminy, c.dmaxy);
            rs_vbpaste(c.minx, c.maxx, c.miny, c.maxy, c.dminx + 9, 3);
        }
        rs_setdc(nullptr);
        std::vector<uint32_t> a, b;
        for (auto [x, y] : area(0, 16, 0, 11)) a.push_back(system.at(x, y)), b.push_back(own.at(x, y));
        EXPECT_EQ(a, b) << c.minx << ".." << c.maxx << ", " << c.miny << ".." << c.maxy << " onto " << c.dminx << ".." << c.dmaxx
                        << ", " << c.dminy << ".." << c.dmaxy;
    }
}
RSW32_EACH_DEPTH(SystemGraphics);

// Bitmaps and memory DCs are the system's: selecting a DIB section makes it the DC's bitmap,
// deleting a selected one puts the stock bitmap back, and made-up or stale handles are
// refused before the system sees them.
TEST_F(Library, BitmapsAndMemoryDcsAreTheSystemsAndStaleHandlesAreRefused) {
    SystemTarget target(3, 2);
    ASSERT_NE(target.hdc, nullptr);
    const HGDIOBJ section = GetCurrentObject(target.hdc, OBJ_BITMAP);
    DIBSECTION info{};
    ASSERT_EQ(GetObjectA(section, sizeof info, &info), int(sizeof info));
    EXPECT_EQ(list(int(info.dsBm.bmWidth), int(info.dsBm.bmHeight), int(info.dsBm.bmBitsPixel)), list(3, 2, 32));
    EXPECT_EQ(static_cast<void*>(info.dsBm.bmBits), static_cast<void*>(target.bits));
    // What the system draws into the DC is in the section's memory, and GetDIBits reads it.
    SetPixel(target.hdc, 2, 0, RGB(1, 2, 3));
    GdiFlush();
    EXPECT_EQ(target.at(2, 0), 0x010203u);
    BITMAPINFO query{};
    query.bmiHeader = {sizeof(BITMAPINFOHEADER), 3, 2, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    uint32_t rows[6] = {};
    EXPECT_EQ(GetDIBits(target.hdc, static_cast<HBITMAP>(section), 0, 2, rows, &query, DIB_RGB_COLORS), 2);
    EXPECT_EQ(rows[5] & 0xFFFFFF, 0x010203u);

    int made_up = 0;
    host::Bitmap* fake = reinterpret_cast<host::Bitmap*>(&made_up);
    EXPECT_EQ(host::select_bitmap(target.dc, fake), nullptr);
    EXPECT_EQ(host::select_bitmap(reinterpret_cast<host::Device*>(&made_up), target.bitmap), nullptr);
    EXPECT_EQ(GetCurrentObject(target.hdc, OBJ_BITMAP), section);
    host::delete_bitmap(target.bitmap);  // still selected: the DC gets the stock bitmap back
    EXPECT_EQ(host::selected_bitmap(target.dc), nullptr);
    EXPECT_NE(GetCurrentObject(target.hdc, OBJ_BITMAP), section);
    EXPECT_EQ(GetObjectA(section, sizeof info, &info), 0);  // the system released it
    host::delete_bitmap(target.bitmap);                       // a stale handle: nothing happens
    target.bitmap = nullptr;
}

// Palettes are the system's: selected into a system DC, they give palette-index bitmaps
// their colours there as on a surface; animation reaches the system's palette object, and a
// deleted palette leaves the DC with the stock one.
TEST_F(Library, PalettesAreSelectedRealizedAndAnimatedInTheSystem) {
    rsp_set_display_depth(8), rs_vbinit(), rs_vbdepth(8);
    ASSERT_EQ(rs_vbopen(rs_vballoc(4, 1)), 0);
    for (int x = 0; x < 4; ++x) View().put(x, 0, uint32_t(x + 1));
    uint8_t record[4 + 4 * 8] = {0x00, 0x03, 8, 0};
    for (int i = 0; i < 8; ++i) record[4 + 4 * i] = uint8_t(30 * i), record[5 + 4 * i] = 7, record[6 + 4 * i] = 9, record[7 + 4 * i] = i == 2 ? 1 : 0;
    host::Palette* palette = host::create_palette(record);
    ASSERT_NE(palette, nullptr);
    SystemTarget system(4, 1);
    HostTarget own(4, 1);
    EXPECT_EQ(host::select_palette(system.dc, palette, false), host::default_palette());
    EXPECT_EQ(GetCurrentObject(system.hdc, OBJ_PAL), host::system_palette(palette));
    host::select_palette(host::device_from_handle(own.dc), palette, false);
    host::realize_palette(system.dc);
    const uint8_t animated[4] = {200, 100, 50, 1};
    EXPECT_TRUE(host::animate_palette(palette, 2, 1, animated));
    PALETTEENTRY entry{};
    ASSERT_EQ(GetPaletteEntries(host::system_palette(palette), 2, 1, &entry), 1u);
    EXPECT_EQ(list(int(entry.peRed), int(entry.peGreen), int(entry.peBlue)), list(200, 100, 50));
    EXPECT_FALSE(host::animate_palette(palette, 3, 1, animated));  // not a reserved entry
    for (RS_HDC dc : {static_cast<RS_HDC>(system.dc), own.dc}) rs_setdc(dc), rs_vbpaste(0, 3, 0, 0, 0, 0);
    rs_setdc(nullptr);
    EXPECT_EQ(list(system.at(0, 0), system.at(1, 0), system.at(2, 0), system.at(3, 0)), list(0x1E0709u, 0xC86432u, 0x5A0709u, 0x780709u));
    EXPECT_EQ(list(own.at(0, 0), own.at(1, 0), own.at(2, 0), own.at(3, 0)), list(0x1E0709u, 0xC86432u, 0x5A0709u, 0x780709u));
    host::delete_palette(palette);
    EXPECT_EQ(GetCurrentObject(system.hdc, OBJ_PAL), GetStockObject(DEFAULT_PALETTE));
    EXPECT_EQ(host::palette_from_handle(palette), nullptr);
}

// The display depth is the screen's until the host side sets one; a true-colour screen has
// no system palette to read.
TEST_F(Library, DisplayDepthIsTheScreensUnlessSet) {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    const bool palette = GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE;
    ReleaseDC(nullptr, screen);
    rsp_set_display_depth(0);
    EXPECT_EQ(host::display_bits_per_pixel(), bits);
    uint8_t entries[4 * 4] = {};
    if (!palette) {
        EXPECT_EQ(host::system_palette_entries(0, 4, entries), bits <= 8 ? 4 : 0);
    }
    rsp_set_display_depth(8);
    EXPECT_EQ(host::display_bits_per_pixel(), 8);
    EXPECT_EQ(host::system_palette_entries(254, 4, entries), 2);  // the last two static colours
    EXPECT_EQ(list(int(entries[0]), int(entries[4]), int(entries[5])), list(0, 255, 255));
}

// Without a printer named by the host side, rs_printer(10) prints on the system's default
// printer: here a PostScript printer whose port is a file, added for the test and removed
// after it. Each page holds the regions printed on it, at the device pixels named.
TEST_F(Library, WithoutANamedPrinterTheSystemsDefaultPrinterPrints) {
    char temp[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string file = std::string(temp) + "rsw32_system_printer.ps";
    DeleteFileA(file.c_str());
    char name[] = "rsw32 file printer", driver_name[] = "Wine PostScript Driver", library[] = "wineps.drv";
    char processor[] = "WinPrint", datatype[] = "RAW";
    DRIVER_INFO_3A driver{};
    driver.cVersion = 3, driver.pName = driver_name, driver.pDriverPath = driver.pDataFile = driver.pConfigFile = library;
    AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver));  // there already, or added
    // One left by a run that stopped half-way goes first.
    HANDLE left = nullptr;
    PRINTER_DEFAULTSA everything{nullptr, nullptr, PRINTER_ALL_ACCESS};
    if (OpenPrinterA(name, &left, &everything)) DeletePrinter(left), ClosePrinter(left);
    PRINTER_INFO_2A info{};
    info.pPrinterName = name, info.pPortName = const_cast<char*>(file.c_str()), info.pDriverName = driver_name;
    info.pPrintProcessor = processor, info.pDatatype = datatype, info.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE printer = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
    if (!printer) GTEST_SKIP() << "this system adds no printer (error " << GetLastError() << ")";
    struct Removal {
        HANDLE printer;
        ~Removal() { DeletePrinter(printer), ClosePrinter(printer); }
    } removal{printer};
    ASSERT_TRUE(SetDefaultPrinterA(name));
    rsp_printer_default(nullptr);
    rs_vbdepth(24);
    ASSERT_EQ(rs_vbopen(rs_vballoc(6, 4)), 0);
    rs_setcolorrgb(255, 0, 0);
    for (auto [x, y] : area(0, 5, 0, 3)) rs_point(x, y);
    EXPECT_EQ(rs_printer(10), 0);
    rs_vbprint(0, 5, 0, 3, 100, 159, 200, 239, 0);
    rs_printer(1);
    EXPECT_EQ(rs_printer(10), 0);
    rs_vbprint(1, 3, 0, 1, 7, 9, 8, 9, 0);
    rs_printer(2);
    std::FILE* in = std::fopen(file.c_str(), "rb");
    ASSERT_NE(in, nullptr) << file;
    std::string document;
    for (int c; (c = std::fgetc(in)) != EOF;) document += char(c);
    std::fclose(in);
    const auto count = [&](const std::string& what) {
        int n = 0;
        for (size_t at = document.find(what); at != std::string::npos; at = document.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(list(count("%%Page: "), count("\nimage\n"), count("100 200 translate"), count("60 40 scale"), count("/Width 6"), count("7 8 translate"),
                   count("3 2 scale"), count("/Width 3")),
              list(2, 2, 1, 1, 1, 1, 1, 1)) << document.substr(0, 4000);
}

}  // namespace
