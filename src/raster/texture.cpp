#include "raster/texture.h"

#include <cstddef>
#include <new>

#include "platform/host.h"

namespace raster {

void init_textures() {
    TextureState& s = textures();
    std::vector<TextureRecord>().swap(s.table);  // gives the memory back
    s = TextureState{};
}

int tm_init(int count) {
    if (count <= 0 || count > max_textures) return -1;
    std::vector<TextureRecord> table;
    if (host::allocation_refused()) return -1;
    try {
        table.resize(size_t(count));
    } catch (const std::bad_alloc&) {
        return -1;
    }
    textures().table.swap(table);  // the earlier table goes with `table`
    return 0;
}

int tm_define(void* texels, int width, int height) {
    if (!texels || width < 1 || height < 1 || width > max_texture_side || height > max_texture_side) return -1;
    std::vector<TextureRecord>& table = textures().table;
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].texels) continue;
        table[i] = {static_cast<const uint8_t*>(texels), width, height};
        return int(i);
    }
    return -1;
}

int tm_select(int index) {
    TextureState& s = textures();
    if (index >= 0 && size_t(index) < s.table.size() && s.table[size_t(index)].texels) s.current = s.table[size_t(index)];
    return 0;
}

int tm_free(int index) {
    std::vector<TextureRecord>& table = textures().table;
    if (index < 0) {
        for (TextureRecord& r : table) r = {};
    } else if (size_t(index) < table.size()) {
        table[size_t(index)] = {};
    }
    return 0;
}

int tm_evict() { return 0; }

int tm_span(int n) {
    textures().run = n < 1 ? 1 : n;
    return 0;
}

int tm_transparency(int flag) {
    textures().transparency = flag;
    return 0;
}

int tm_units(int flag) {
    textures().units = flag;
    return 0;
}

}  // namespace raster
