// Photo adjustments (contrast stretch, gamma, greyscale, negative), each on an array of
// RGB triples in place, on a dcb (source to dest), and on a rectangle of the active buffer.
#pragma once

#include <cstdint>

#include "image/adjust_rows.h"

namespace image {

int cont_rgb(uint8_t* array, int low, int high, int count);
int cont_dcb(const uint8_t* source, uint8_t* dest, int low, int high, int count);
int cont_vb(int low, int high, int width, int height);
int gamma_rgb(uint8_t* array, double gamma, int count);
int gamma_dcb(const uint8_t* source, uint8_t* dest, double gamma, int count);
int gamma_vb(double gamma, int width, int height);
int gray_rgb(uint8_t* array, int count);
int gray_dcb(const uint8_t* source, uint8_t* dest, int count);
int gray_vb(int width, int height);
int photo_rgb(uint8_t* array, int count);
int photo_dcb(const uint8_t* source, uint8_t* dest, int count);
int photo_vb(int width, int height);

// The 256-entry channel tables, built once per call; false when the arguments leave
// the picture unchanged (low not below high; a gamma that is negative, infinite or not a
// number).
bool contrast_table(int low, int high, ChannelTable& table);
bool gamma_table(double gamma, ChannelTable& table);

}  // namespace image
