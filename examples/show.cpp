// Shows a BMP, PCX, FLI/FLC or AVI file: rsw32_show FILE [OUT]
// The picture is drawn into a 32-bit buffer of its size and presented in a window until
// the window is closed or Escape is pressed; an animation plays over and over in the window
// at its own frame rate until Escape. Without a window (no display, or OUT given) the
// picture, or the last frame of the animation, is written to OUT (default out/shown.bmp)
// with the library's writers: a .pcx name gives a PCX file, anything else a 24-bit BMP file.
// The library itself prints nothing; this program says what it is about to play, since
// rs_showflic and rs_showavi keep the call until the animation ends.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "rsw32.h"
#include "rsw32_platform.h"

namespace {

bool ends_with(const std::string& s, const char* tail) {
    const std::string t = tail;
    return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.bmp|FILE.pcx|FILE.fli|FILE.flc|FILE.avi [OUT.bmp|OUT.pcx]\n", argv[0]);
        return 2;
    }
    const std::string file = argv[1];
    unsigned char header[128];
    int width = -1, height = -1;
    const bool bmp = rs_bmphead(file.c_str(), header) == 0;
    const bool avi = !bmp && rs_avihead(file.c_str(), header) == 0;
    const bool flic = !bmp && !avi && rs_flichead(file.c_str(), header) == 0;
    // Frames and the time of one frame, for the animations: the AVI main header holds
    // microseconds a frame at byte 0 and the frame count at 16; the FLI/FLC header the
    // frame count at 6 and the speed at 16 (1/70 s for FLI, milliseconds for FLC).
    unsigned frames = 0, frame_ms = 0;
    if (bmp) {
        rs_bmpsize(header, &width, &height);
    } else if (avi) {
        rs_avisize(header, &width, &height);
        frames = header[16] | header[17] << 8 | header[18] << 16 | unsigned(header[19]) << 24;
        frame_ms = (header[0] | header[1] << 8 | header[2] << 16 | unsigned(header[3]) << 24) / 1000;
    } else if (flic) {
        rs_flicsize(header, &width, &height);
        frames = header[6] | header[7] << 8;
        const unsigned speed = header[16] | header[17] << 8;
        frame_ms = header[4] == 0x11 ? speed * 1000 / 70 : speed;  // type AF11: FLI
    } else if (rs_pcxhead(file.c_str(), header) == 0) {
        rs_pcxsize(header, &width, &height);
    }
    height = std::abs(height);
    if (width < 1 || height < 1) {
        std::fprintf(stderr, "%s: not a BMP, PCX, FLI/FLC or AVI file this program can show\n", file.c_str());
        return 1;
    }

    rs_vbinit();
    rs_vbdepth(32);
    const int vb = rs_vballoc(width, height);
    if (vb < 0 || rs_vbopen(vb) != 0) {
        std::fprintf(stderr, "cannot make a %d x %d buffer\n", width, height);
        return 1;
    }
    const bool display = std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
    RS_HDC window = argc < 3 && display ? rsp_window_open(width, height, file.c_str()) : nullptr;
    // A PCX picture is drawn at its window unless placed at the cursor (0, 0). A video
    // plays in the window until Escape (rs_showavi presents each frame itself), or without
    // a window once through, without delays, leaving its last frame in the buffer.
    if (window) rs_setdc(window);
    if (avi || flic) {
        std::printf("%s: %s of %u frames, %d x %d, %u ms a frame; %s\n", file.c_str(), avi ? "AVI video" : "FLI/FLC animation",
                    frames, width, height, frame_ms, window ? "playing until Escape" : "playing once without delays");
        std::fflush(stdout);
    }
    const int result = avi    ? rs_showavi(file.c_str(), window ? 0 : 1, window ? 0 : 1)
                       : flic ? rs_showflic(file.c_str(), window ? 0 : 1, window ? 0 : 1)
                       : bmp  ? rs_showbmp(file.c_str(), 0)
                              : rs_showpcx(file.c_str(), 2);
    if (result != 0) {
        std::fprintf(stderr, "%s: the reader returned %d\n", file.c_str(), result);
        return 1;
    }

    if (window) {
        while (!avi && !flic && rsp_window_pump(window) && !rs_kbtest(0x01)) {
            rs_vbpaste(0, width - 1, 0, height - 1, 0, height - 1);
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        }
        rs_setdc(nullptr);
        rsp_window_close(window);
    } else {
        const std::string out = argc >= 3 ? argv[2] : "out/shown.bmp";
        const int written = ends_with(out, ".pcx") ? rs_makepcx(0, width - 1, 0, height - 1, out.c_str())
                                                   : rs_makebmp(0, width - 1, 0, height - 1, 24, out.c_str());
        std::printf("%s: %d x %d, %s %s\n", file.c_str(), width, height, written == 0 ? "written to" : "cannot write",
                    out.c_str());
    }
    rs_vbclose();
    rs_vbfree(-1);
    rs_vbfin();
    return 0;
}
