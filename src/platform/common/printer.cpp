// The library's own printers, on every host. The host side names printers (resolution,
// paper size, an output file) and chooses the default; such a printer DC prints documents
// into its output file as PDF, one PDF page per page. A page is white and has the printer's resolution:
// each bitmap drawn on it becomes an image of exactly the device pixels it covers, placed
// where they lie, so the document shows the page as the printer would have printed it.
//
// A printer the host side named comes first: rs_printer(10) opens the host side's default
// printer when it chose one, and the system's default printer otherwise (the Windows
// host's real printers, windows/gdi_printer.cpp; the Linux hosts have none). Under a
// system without printers the named PDF printers are the only ones there are.
#include <algorithm>
#include <map>
#include <memory>
#include <new>
#include <string>

#include "platform/common/dibcopy.h"
#include "platform/common/host_side.h"
#include "platform/common/objects.h"
#include "platform/common/pdf.h"

namespace host {
namespace {

struct PrinterInfo {
    std::string output_file;
    int horzres = 0, vertres = 0;      // pixels
    int width_mm = 0, height_mm = 0;   // paper size
    bool can_stretch = false;
};

struct Printers {
    std::map<std::string, PrinterInfo> named;
    std::string default_name;
    int jobs = 0;
};

Printers& printers() {
    static Printers p;
    return p;
}

// Pixels rendered at a time when a bitmap goes onto a page: whole rows, at least one.
constexpr int band_pixels = 1 << 18;

struct Printer : Device {
    explicit Printer(const PrinterInfo& i) : Device(Kind::printer), info(i) {}
    ~Printer() override {
        if (document) document->close();
    }

    int caps(int index) const override {
        switch (index) {
        case cap_horzres: return info.horzres;
        case cap_vertres: return info.vertres;
        case cap_horzsize: return info.width_mm;
        case cap_vertsize: return info.height_mm;
        case cap_bitspixel: return 24;
        case cap_planes: return 1;
        // bit blocks and bitmaps to the device; stretched bitmaps when it can
        case cap_rastercaps: return 0x0001 | 0x0200 | (info.can_stretch ? rc_stretchdib : 0);
        default: return 0;
        }
    }

    // Page size in points: the paper's millimetres at 72 points to the inch.
    double page_width() const { return info.width_mm * 72.0 / 25.4; }
    double page_height() const { return info.height_mm * 72.0 / 25.4; }

    int draw_dib(const DibSource& src, const Mapping& mx, const Mapping& my) override {
        if (!document || !page_open) return 0;
        CopyPlan plan;
        plan_copy(src, mx, my, 0, 0, info.horzres, info.vertres, plan);
        if (!plan.height) return 0;
        const double sx = page_width() / info.horzres, sy = page_height() / info.vertres;
        // Without memory for a band nothing is put on the page.
        const int band_rows = std::max(1, band_pixels / plan.width);
        std::unique_ptr<uint32_t[]> band(
            allocation_refused() ? nullptr : new (std::nothrow) uint32_t[size_t(plan.width) * size_t(band_rows)]);
        if (!band) return 0;
        document->begin_image(plan.x0 * sx, page_height() - (plan.y0 + plan.height) * sy, plan.width * sx,
                              plan.height * sy, plan.width, plan.height);
        for (int row = 0; row < plan.height; row += band_rows) {
            const int end = std::min(row + band_rows, plan.height);
            run_copy(src, plan, band.get(), plan.width, row, end);
            document->image_rows(band.get(), end - row, plan.width);
        }
        document->end_image();
        return plan.height;
    }

    int start_doc() override {
        if (document) return job;
        if (allocation_refused()) return 0;
        auto opened = std::make_unique<PdfWriter>();
        if (!opened->open(info.output_file)) return 0;
        document = std::move(opened);
        job = ++printers().jobs;
        return job;
    }

    // A page started while one is open carries on with it.
    int start_page() override {
        if (!document) return 0;
        if (!page_open) document->begin_page(page_width(), page_height());
        page_open = true;
        return 1;
    }

    int end_page() override {
        if (!document || !page_open) return 0;
        document->end_page();
        page_open = false;
        return 1;
    }

    int end_doc() override {
        if (!document) return 0;
        const bool ok = document->close();
        document.reset();
        page_open = false;
        return ok ? 1 : 0;
    }

    PrinterInfo info;
    std::unique_ptr<PdfWriter> document;
    int job = 0;
    bool page_open = false;
};

}  // namespace

bool default_printer(char* name, size_t capacity) {
    const std::string& d = printers().default_name;
    if (d.empty()) return system_default_printer(name, capacity);
    if (!name || d.size() >= capacity) return false;
    d.copy(name, d.size());
    name[d.size()] = '\0';
    return true;
}

Device* create_printer_dc(const char* name) {
    if (!name) return nullptr;
    auto it = printers().named.find(name);
    if (it == printers().named.end()) return create_system_printer_dc(name);
    return adopt(std::make_unique<Printer>(it->second));
}

int start_doc(Device* dc) {
    Device* device = device_from_handle(dc);
    return device ? device->start_doc() : 0;
}

int start_page(Device* dc) {
    Device* device = device_from_handle(dc);
    return device ? device->start_page() : 0;
}

int end_page(Device* dc) {
    Device* device = device_from_handle(dc);
    return device ? device->end_page() : 0;
}

int end_doc(Device* dc) {
    Device* device = device_from_handle(dc);
    return device ? device->end_doc() : 0;
}

// ---- host side ------------------------------------------------------------------------

int printer_add(const char* name, const char* output_file, int horzres, int vertres, int width_mm,
                int height_mm, int can_stretch) {
    if (!name || !*name || std::string(name).size() > 255 || !output_file || !*output_file) return -1;
    // Sizes stay small enough for the page arithmetic: 2^20 pixels and 10 m a side.
    if (horzres < 1 || vertres < 1 || horzres > (1 << 20) || vertres > (1 << 20)) return -1;
    if (width_mm < 1 || height_mm < 1 || width_mm > 10000 || height_mm > 10000) return -1;
    printers().named[name] = {output_file, horzres, vertres, width_mm, height_mm, can_stretch != 0};
    return 0;
}

int printer_default(const char* name) {
    printers().default_name = name ? name : "";
    return 0;
}

}  // namespace host
