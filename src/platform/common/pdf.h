// A minimal PDF writer for printed pages: each page is white, of a given size in points,
// and shows RGB images placed on it in order. Images are streamed row by row with the
// run-length filter, so a page of any resolution needs no more memory than a few rows.
#pragma once

#include <cstdint>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace host {

class PdfWriter {
public:
    PdfWriter() = default;
    PdfWriter(const PdfWriter&) = delete;
    PdfWriter& operator=(const PdfWriter&) = delete;
    ~PdfWriter();

    // Creates the file and writes the document's header; false when it cannot be created.
    bool open(const std::string& path);
    // Starts a page of width × height points (ends the page still open, if any).
    void begin_page(double width, double height);
    // An image of w × h pixels covering the page rectangle whose lower-left corner is
    // (x, y) and whose size is (width, height), in points. Its rows, top first, follow
    // through image_rows (0x00RRGGBB words), h of them in all, then end_image.
    void begin_image(double x, double y, double width, double height, int w, int h);
    void image_rows(const uint32_t* pixels, int rows, std::ptrdiff_t stride);
    void end_image();
    void end_page();
    // Ends the open page and writes the page tree, the cross-reference table and the
    // trailer; false when anything could not be written.
    bool close();

private:
    int begin_object();  // writes "n 0 obj" and records where it starts
    void write(const std::string& s);
    void write(const uint8_t* data, size_t n);
    void flush();

    int file_ = 0;                   // a replacement of the target (host files)
    std::vector<uint8_t> pending_;   // written out in large blocks
    bool failed_ = false;
    uint64_t offset_ = 0;
    std::vector<uint64_t> offsets_;  // by object number; 0 = not written yet
    std::vector<int> pages_;         // page object numbers
    // The open page.
    bool page_open_ = false;
    double page_width_ = 0, page_height_ = 0;
    std::string content_;
    std::vector<int> images_;
    // The open image.
    int image_w_ = 0, image_rows_left_ = 0, image_length_object_ = 0;
    uint64_t image_data_start_ = 0;
    std::vector<uint8_t> row_, packed_;
};

}  // namespace host
