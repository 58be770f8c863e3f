// The mouse and keyboard on the headless host: a 160 x 120 buffer shown in a client area
// of 640 x 480, so one buffer pixel is four client pixels each way.
#include <vector>

#include "support.h"

namespace {

class Mouse : public test::HeadlessInput {
protected:
    void SetUp() override {
        test::HeadlessInput::SetUp();
        surface = rsp_surface_create(64, 48);
        rsp_focus(surface, 640, 480);
        rs_vbopen(rs_vballoc(160, 120));
        ASSERT_EQ(rs_mouseini(), 1);
    }
    void TearDown() override {
        rsp_focus(nullptr, 0, 0);
        rsp_surface_destroy(surface);
        test::HeadlessInput::TearDown();
    }
    RS_HDC surface = nullptr;
};

TEST_F(Mouse, PositionIsTheClientPointInBufferPixelsOrMinusOneOutside) {
    struct Case { int cx, cy, x, y; };
    const Case cases[] = {{0, 0, 0, 0},       {639, 479, 159, 119}, {5, 9, 1, 2},     {640, 10, -1, -1},
                          {10, 480, -1, -1},  {-1, 10, -1, -1},     {10, -3, -1, -1}, {-4000, -4000, -1, -1}};
    for (const Case& c : cases) {
        rsp_pointer_move(c.cx, c.cy);
        int x = 7, y = 7;
        const int result = rs_mousepos(&x, &y);
        EXPECT_EQ((std::vector<int>{result, x, y}), (std::vector<int>{c.x < 0 ? -1 : 0, c.x, c.y})) << c.cx << "," << c.cy;
    }
    rsp_focus(nullptr, 0, 0);
    rsp_pointer_move(8, 8);
    EXPECT_EQ(rs_mousepos(nullptr, nullptr), -1);  // no focus window
}

TEST_F(Mouse, WithoutAMouseNothingIsAskedOfTheHost) {
    rs_vbinit();  // forgets the mouse found by SetUp
    rsp_mouse_present(0);
    EXPECT_EQ(rs_mouseini(), -1);
    rs_mousevis(0);
    rs_mousemov(10, 10);
    rs_mouselim(0, 10, 0, 10);
    const unsigned short masks[32] = {};
    EXPECT_EQ(rs_mouseptr(masks, 0, 0), nullptr);
    int x = 0, y = 0, calls = 0;
    EXPECT_EQ(rs_mousepos(&x, &y), -1);
    EXPECT_EQ(rsp_pointer(&x, &y, nullptr) + x + y + rsp_pointer_shown(&calls) + calls, 0);
}

TEST_F(Mouse, MoveAndLimitsConvertToTheClientAreaAndMinAboveMaxReleases) {
    rs_mousemov(10, 20);
    int x = 0, y = 0, r[4] = {};
    EXPECT_EQ(rsp_pointer(&x, &y, nullptr), 0);
    EXPECT_EQ(x * 1000 + y, 40080);
    rs_mouselim(10, 20, 5, 15);
    ASSERT_EQ(rsp_pointer(&x, &y, r), 1);
    EXPECT_EQ(std::vector<int>(r, r + 4), (std::vector<int>{40, 20, 80, 60}));
    rsp_pointer_move(1000, -5);  // held inside, right and bottom edges exclusive
    rsp_pointer(&x, &y, nullptr);
    EXPECT_EQ(x * 1000 + y, 79020);
    const int bad[2][4] = {{20, 10, 5, 15}, {10, 20, 15, 5}};
    for (const auto& b : bad) {
        rs_mouselim(0, 1, 0, 1);
        rs_mouselim(b[0], b[1], b[2], b[3]);
        EXPECT_EQ(rsp_pointer(nullptr, nullptr, nullptr), 0);
    }
}

TEST_F(Mouse, VisibilityAsksTheHostOnlyWhenBitZeroChanges) {
    struct Step { int state, count, calls; };
    const Step steps[] = {{1, 0, 0}, {1, 0, 0}, {0, -1, 1}, {0, -1, 1}, {2, -1, 1}, {3, 0, 2}, {1, 0, 2}};
    for (const Step& s : steps) {
        rs_mousevis(s.state);
        int calls = 0;
        EXPECT_EQ(rsp_pointer_shown(&calls), s.count) << s.state;
        EXPECT_EQ(calls, s.calls) << s.state;
    }
}

// Row i of the AND mask is 0xF0F0 + i, of the XOR mask 0x0F0F ^ i (likewise in 32 bits).
template <class Row>
std::vector<Row> pointer_masks(int size) {
    std::vector<Row> m(size_t(2 * size));
    for (int i = 0; i < size; ++i) {
        m[size_t(i)] = Row(Row(0xF0F0F0F0u) + Row(i));
        m[size_t(size + i)] = Row(Row(0x0F0F0F0Fu) ^ Row(i));
    }
    return m;
}

TEST_F(Mouse, PointerGoesTopLeftInTheHostCursorRestTransparent) {
    const auto big = pointer_masks<uint32_t>(32);
    const auto small = pointer_masks<uint16_t>(16);
    rs_mousesiz(32);
    rs_mousesiz(16);
    rs_mousesiz(24);  // ignored: rows stay 16 bits
    RS_HCURSOR in_large = rs_mouseptr(small.data(), 3, 4);
    rsp_cursor_size(16, 8);  // the host's cursors shrink: a 32-pixel pointer is cut to them
    rs_mouseini();
    rs_mousesiz(32);
    RS_HCURSOR cut = rs_mouseptr(big.data(), 0, 0);
    EXPECT_EQ(rs_mouseptr(big.data(), 16, 0), nullptr);  // hot spot outside the cursor
    struct Case { RS_HCURSOR cursor; int size, width, height; };
    for (const Case& c : {Case{in_large, 16, 32, 32}, Case{cut, 32, 16, 8}}) {
        int w = 0, h = 0, hx = 0, hy = 0;
        ASSERT_EQ(rsp_cursor_masks(c.cursor, nullptr, nullptr, &w, &h, &hx, &hy), 0);
        ASSERT_EQ(w * 1000 + h, c.width * 1000 + c.height);
        EXPECT_EQ(hx * 10 + hy, c.size == 16 ? 34 : 0);
        std::vector<unsigned char> and_mask(size_t(w / 8 * h)), xor_mask(and_mask.size());
        rsp_cursor_masks(c.cursor, and_mask.data(), xor_mask.data(), nullptr, nullptr, nullptr, nullptr);
        for (int y = 0; y < h; ++y)
            for (int b = 0; b < w / 8; ++b) {
                const bool inside = y < c.size && b < c.size / 8;
                const int shift = c.size - 8 - 8 * b;
                const size_t at = size_t(y * (w / 8) + b);
                EXPECT_EQ(and_mask[at], inside ? ((0xF0F0F0F0u + unsigned(y)) >> shift & 0xFF) : 0xFF) << y << " " << b;
                EXPECT_EQ(xor_mask[at], inside ? ((0x0F0F0F0Fu ^ unsigned(y)) >> shift & 0xFF) : 0) << y << " " << b;
            }
    }
    for (RS_HCURSOR set : {in_large, RS_HCURSOR(surface), RS_HCURSOR(nullptr)}) {  // not a cursor: ignored
        rs_mousecur(set);
        EXPECT_EQ(rsp_cursor(), set == surface ? in_large : set);
    }
}

TEST_F(Mouse, KeysByScanCodeKeepTheirSideAndButtonsAreNoKeys) {
    struct Case { int key, scan_code, down; };
    const Case cases[] = {{0xA0, 0x2A, 1}, {0xA0, 0x36, 0}, {0xA1, 0x36, 1}, {0xA3, 0xE01D, 1}, {0xA3, 0x1D, 0},
                          {0xA5, 0xE038, 1}, {'A', 0x1E, 1},  {0x26, 0xE048, 1}, {0x26, 0x48, 0},  {0x68, 0x48, 1},
                          {0x1B, 0x01, 1},   {0x1B, 0x7F, 0},   {1, 0, 0},         {2, 0, 0},         {4, 0, 1},
                          {0xA1, 0, 1},      {'Z', 0, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(rs_kbtest(c.scan_code), 0);
        rsp_key(c.key, 1);
        EXPECT_EQ(rs_kbtest(c.scan_code), c.down) << std::hex << c.key << " " << c.scan_code;
        rsp_key(c.key, 0);
    }
}

}  // namespace
