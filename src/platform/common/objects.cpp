// Registry of host objects: ownership and handle validation.
#include "platform/common/objects.h"

#include <unordered_map>

namespace host {
namespace {

struct Registry {
    std::unordered_map<const void*, std::unique_ptr<Object>> objects;
};

Registry& registry() {
    static Registry r;
    return r;
}

}  // namespace

void adopt_object(Object* raw) { registry().objects.emplace(raw, std::unique_ptr<Object>(raw)); }

void destroy(Object* object) {
    if (object) registry().objects.erase(object);
}

size_t live_objects() { return registry().objects.size(); }

Object* find(const void* handle) {
    if (!handle) return nullptr;
    auto& objects = registry().objects;
    auto it = objects.find(handle);
    return it == objects.end() ? nullptr : it->second.get();
}

Device* device_from_handle(void* handle) {
    Object* o = find(handle);
    return o && o->kind != Kind::bitmap && o->kind != Kind::palette ? static_cast<Device*>(o) : nullptr;
}

// Surfaces and windows belong to the host side, which releases them itself.
void delete_dc(Device* dc) {
    Object* o = find(dc);
    if (o && (o->kind == Kind::memory_dc || o->kind == Kind::printer)) destroy(o);
}

Bitmap* selected_bitmap(Device* dc) {
    auto* mem = find_as<MemoryDc>(dc, Kind::memory_dc);
    // The selected bitmap may have been deleted since it was selected.
    return mem ? find_as<Bitmap>(mem->selected, Kind::bitmap) : nullptr;
}

HostSettings& settings() {
    static HostSettings s;
    return s;
}

bool nt_family() { return settings().nt_family; }

}  // namespace host
