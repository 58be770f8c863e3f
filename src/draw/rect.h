// Rectangles, boxes, page fills, scrolling, page copies and row reversal.
#pragma once

#include <cstdint>

namespace draw {

int rect(int minx, int maxx, int miny, int maxy);
int rect_world(double minx, double maxx, double miny, double maxy);
int rect_xor(int minx, int maxx, int miny, int maxy);
int clip_rect(int minx, int maxx, int miny, int maxy);
int clip_rect_world(double minx, double maxx, double miny, double maxy);
int clip_rect_xor(int minx, int maxx, int miny, int maxy);
int box(int minx, int maxx, int miny, int maxy);
int box_world(double minx, double maxx, double miny, double maxy);
int box_xor(int minx, int maxx, int miny, int maxy);
int box_xor_world(double minx, double maxx, double miny, double maxy);
int box_depth(int xdepth, int ydepth);
int dither_rect(int minx, int maxx, int miny, int maxy, const uint8_t* matrix);
int dither_rect_world(double minx, double maxx, double miny, double maxy, const uint8_t* matrix);
int erase();
int fill_page();
int scroll(int minx, int maxx, int miny, int maxy, int jump, int type);
int copy_page(int source, int dest);
int invert(uint8_t* map, int width, int height);
int get_hpage();

}  // namespace draw
