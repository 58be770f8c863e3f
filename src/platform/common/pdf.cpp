// The PDF writer of printed documents. Objects 1 and 2 are the catalogue and the page
// tree, written last when all pages are known; every other object is written as soon as
// it is complete, and the cross-reference table records where each one starts.
#include "platform/common/pdf.h"

#include "platform/file.h"

#include <algorithm>
#include <cmath>

namespace host {
namespace {

// Numbers are written by hand, so a program's locale cannot turn the decimal point
// into a comma.
std::string number(double v) {
    const int64_t scaled = std::llround(v * 10000.0);
    const uint64_t magnitude = uint64_t(scaled < 0 ? -scaled : scaled);
    std::string s;
    if (scaled < 0) s.push_back('-');
    s += std::to_string(magnitude / 10000);
    const uint64_t fraction = magnitude % 10000;
    if (fraction) {
        std::string digits = std::to_string(10000 + fraction).substr(1);
        while (digits.back() == '0') digits.pop_back();
        s.push_back('.');
        s += digits;
    }
    return s;
}

std::string ref(int object) { return std::to_string(object) + " 0 R"; }

// The run-length filter: a length byte n < 128 is followed by n + 1 literal bytes; a
// length byte n > 128 by one byte repeated 257 − n times; 128 ends the data.
void pack_runs(const std::vector<uint8_t>& in, std::vector<uint8_t>& out) {
    out.clear();
    const size_t n = in.size();
    size_t i = 0;
    while (i < n) {
        size_t run = 1;
        while (i + run < n && run < 128 && in[i + run] == in[i]) ++run;
        if (run >= 2) {
            out.push_back(uint8_t(257 - run));
            out.push_back(in[i]);
            i += run;
            continue;
        }
        const size_t start = i++;
        while (i < n && i - start < 128 && !(i + 1 < n && in[i] == in[i + 1])) ++i;
        out.push_back(uint8_t(i - start - 1));
        out.insert(out.end(), in.begin() + std::ptrdiff_t(start), in.begin() + std::ptrdiff_t(i));
    }
}

}  // namespace

PdfWriter::~PdfWriter() {
    if (file_) close();
}

bool PdfWriter::open(const std::string& path) {
    file_ = file_create_replacement(path.c_str());
    if (!file_) return false;
    offsets_.assign(3, 0);  // object 0 is the free list head; 1 and 2 come last
    write("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    return true;
}

void PdfWriter::write(const std::string& s) { write(reinterpret_cast<const uint8_t*>(s.data()), s.size()); }

void PdfWriter::write(const uint8_t* data, size_t n) {
    if (!file_ || !n) return;
    pending_.insert(pending_.end(), data, data + n);
    if (pending_.size() >= 65536) flush();
    offset_ += n;
}

void PdfWriter::flush() {
    if (!pending_.empty() && file_write(file_, pending_.data(), pending_.size()) != pending_.size()) failed_ = true;
    pending_.clear();
}

int PdfWriter::begin_object() {
    const int object = int(offsets_.size());
    offsets_.push_back(offset_);
    write(std::to_string(object) + " 0 obj\n");
    return object;
}

void PdfWriter::begin_page(double width, double height) {
    if (page_open_) end_page();
    page_open_ = true;
    page_width_ = width;
    page_height_ = height;
    images_.clear();
    // The page is white under whatever is printed on it.
    content_ = "1 1 1 rg 0 0 " + number(width) + " " + number(height) + " re f\n";
}

void PdfWriter::begin_image(double x, double y, double width, double height, int w, int h) {
    const int object = begin_object();
    image_length_object_ = object + 1;  // the stream's length follows it as its own object
    write("<< /Type /XObject /Subtype /Image /Width " + std::to_string(w) + " /Height " + std::to_string(h) +
          " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Filter /RunLengthDecode /Length " +
          ref(image_length_object_) + " >>\nstream\n");
    image_data_start_ = offset_;
    image_w_ = w;
    image_rows_left_ = h;
    images_.push_back(object);
    content_ += "q " + number(width) + " 0 0 " + number(height) + " " + number(x) + " " + number(y) +
                " cm /Im" + std::to_string(object) + " Do Q\n";
}

void PdfWriter::image_rows(const uint32_t* pixels, int rows, std::ptrdiff_t stride) {
    row_.resize(size_t(image_w_) * 3);
    for (; rows > 0 && image_rows_left_ > 0; --rows, --image_rows_left_, pixels += stride) {
        for (int i = 0; i < image_w_; ++i) {
            row_[size_t(i) * 3] = uint8_t(pixels[i] >> 16);
            row_[size_t(i) * 3 + 1] = uint8_t(pixels[i] >> 8);
            row_[size_t(i) * 3 + 2] = uint8_t(pixels[i]);
        }
        pack_runs(row_, packed_);
        write(packed_.data(), packed_.size());
    }
}

void PdfWriter::end_image() {
    // Rows that never came are white.
    std::vector<uint32_t> white(size_t(image_w_), 0x00FFFFFF);
    while (image_rows_left_ > 0) image_rows(white.data(), 1, 0);
    const uint8_t end_of_data = 128;
    write(&end_of_data, 1);
    const uint64_t length = offset_ - image_data_start_;
    write("\nendstream\nendobj\n");
    begin_object();
    write(std::to_string(length) + "\nendobj\n");
}

void PdfWriter::end_page() {
    if (!page_open_) return;
    page_open_ = false;
    const int contents = begin_object();
    write("<< /Length " + std::to_string(content_.size()) + " >>\nstream\n" + content_ + "endstream\nendobj\n");
    std::string xobjects;
    for (int image : images_) xobjects += " /Im" + std::to_string(image) + " " + ref(image);
    pages_.push_back(begin_object());
    write("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + number(page_width_) + " " + number(page_height_) +
          "] /Resources << /XObject <<" + xobjects + " >> >> /Contents " + ref(contents) + " >>\nendobj\n");
}

bool PdfWriter::close() {
    if (!file_) return false;
    end_page();
    offsets_[2] = offset_;
    std::string kids;
    for (int page : pages_) kids += ref(page) + " ";
    write("2 0 obj\n<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages_.size()) +
          " >>\nendobj\n");
    offsets_[1] = offset_;
    write("1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    const uint64_t xref = offset_;
    std::string table = "xref\n0 " + std::to_string(offsets_.size()) + "\n0000000000 65535 f \n";
    for (size_t i = 1; i < offsets_.size(); ++i) {
        std::string at = std::to_string(offsets_[i]);
        table += std::string(10 - std::min<size_t>(at.size(), 10), '0') + at + " 00000 n \n";
    }
    write(table + "trailer\n<< /Size " + std::to_string(offsets_.size()) + " /Root 1 0 R >>\nstartxref\n" +
          std::to_string(xref) + "\n%%EOF\n");
    flush();
    // The document takes its name only when complete; a failed one goes.
    const bool ok = !failed_ && file_commit(file_);
    file_close(file_);
    file_ = 0;
    return ok;
}

}  // namespace host
