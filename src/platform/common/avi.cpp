// The built-in AVI library's registry of objects and its decoders for foreign codecs. The
// reader is in avi_read.cpp, the writer in avi_write.cpp.
#include <map>

#include "platform/common/avi_objects.h"

namespace host {
namespace avi {
namespace {

struct Entry {
    Kind kind;
    std::shared_ptr<Object> object;
};

struct Registry {
    std::map<int, Entry> objects;
    int next = 1;
    std::map<uint32_t, AviFrameDecoder> decoders;
    int users = 0;
    uint64_t frame_limit = uint64_t(1) << 28;
};

Registry& registry() {
    static Registry r;
    return r;
}

constexpr size_t object_limit = 1 << 16;

}  // namespace

// Numbers run up to INT_MAX before they wrap, so a number released a moment ago does not
// name a new object: a stale context finds nothing.
int enter(Kind kind, std::shared_ptr<Object> object) {
    Registry& r = registry();
    if (!object || r.objects.size() >= object_limit) return 0;
    while (r.objects.count(r.next)) r.next = r.next == 0x7FFFFFFF ? 1 : r.next + 1;
    const int id = r.next;
    r.next = r.next == 0x7FFFFFFF ? 1 : r.next + 1;
    r.objects.emplace(id, Entry{kind, std::move(object)});
    return id;
}

std::shared_ptr<Object> find(int id, Kind kind) {
    const auto it = registry().objects.find(id);
    return it != registry().objects.end() && it->second.kind == kind ? it->second.object : nullptr;
}

void remove(int id, Kind kind) {
    Registry& r = registry();
    const auto it = r.objects.find(id);
    if (it == r.objects.end() || it->second.kind != kind) return;
    // The object may end here (a file is written out): take it out of the table first.
    const std::shared_ptr<Object> last = std::move(it->second.object);
    r.objects.erase(it);
}

uint64_t frame_limit() { return registry().frame_limit; }

AviFrameDecoder decoder_for(uint32_t compression) {
    const auto it = registry().decoders.find(compression);
    return it == registry().decoders.end() ? nullptr : it->second;
}

}  // namespace avi

void avi_set_decoder(uint32_t handler, AviFrameDecoder decoder) {
    if (decoder)
        avi::registry().decoders[handler] = decoder;
    else
        avi::registry().decoders.erase(handler);
}

void avi_frame_limit(uint64_t bytes) { avi::registry().frame_limit = bytes ? bytes : uint64_t(1) << 28; }

void avi::builtin::start() { ++avi::registry().users; }
void avi::builtin::end() {
    if (avi::registry().users > 0) --avi::registry().users;
}

}  // namespace host
