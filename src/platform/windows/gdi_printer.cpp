// The system's printers on the Windows host: the default one from GetDefaultPrinterA, a
// device context from CreateDCA, and documents through StartDocA, StartPage, EndPage and
// EndDoc; bitmaps go onto the page with the system's copies (gdi_devices.cpp).
//
// Printers the host side names (rsp_printer_add) stay the library's PDF printers and are
// found first, so a program or a test that names one gets the same documents on every
// host. A system without printers (Wine with no print system behind it has none) leaves
// those as the only printers there are.
#include "platform/windows/gdi.h"

#include <winspool.h>

#include <string>

namespace host {
namespace {

struct SystemPrinter : Device, SystemDc {
    explicit SystemPrinter(HDC dc) : Device(Kind::printer) {
        hdc = dc;
        system_devices().push_back(this);
    }
    // A document still open is finished, as the library's own printers finish theirs.
    ~SystemPrinter() override {
        end_doc();
        std::erase(system_devices(), static_cast<Device*>(this));
        SelectPalette(hdc, static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)), FALSE);
        DeleteDC(hdc);
    }

    int caps(int index) const override { return GetDeviceCaps(hdc, index); }

    int start_doc() override {
        if (job > 0) return job;
        DOCINFOA document{};
        document.cbSize = sizeof document;
        document.lpszDocName = "rsw32";
        job = StartDocA(hdc, &document);
        return job > 0 ? job : (job = 0);
    }

    // A page started while one is open carries on with it.
    int start_page() override {
        if (job <= 0) return 0;
        if (!page_open) page_open = StartPage(hdc) > 0;
        return page_open ? 1 : 0;
    }

    int end_page() override {
        if (job <= 0 || !page_open) return 0;
        page_open = false;
        return EndPage(hdc) > 0 ? 1 : 0;
    }

    int end_doc() override {
        if (job <= 0) return 0;
        if (page_open) end_page();
        job = 0;
        return EndDoc(hdc) > 0 ? 1 : 0;
    }

    int job = 0;
    bool page_open = false;
};

}  // namespace

bool system_default_printer(char* name, size_t capacity) {
    if (!name || capacity == 0) return false;
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    if (size == 0 || size > capacity) return false;
    std::string found(size, '\0');
    if (!GetDefaultPrinterA(found.data(), &size)) return false;
    found.resize(found.find('\0') == std::string::npos ? found.size() : found.find('\0'));
    if (found.empty() || found.size() >= capacity) return false;
    found.copy(name, found.size());
    name[found.size()] = '\0';
    return true;
}

Device* create_system_printer_dc(const char* name) {
    if (!name || !*name) return nullptr;
    HDC dc = CreateDCA(nullptr, name, nullptr, nullptr);
    return dc ? adopt(std::make_unique<SystemPrinter>(dc)) : nullptr;
}

}  // namespace host
