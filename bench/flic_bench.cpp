// FLC playing, frames per second: a 640 × 480 animation (a byte-run first frame, then word
// deltas of boxes and a textured patch moving over a banded background) played from
// memory into 8- and 32-bit buffers, against FFmpeg's FLIC decoder decoding the same
// frames into its own 8-bit picture.
#include <cstring>
#include <vector>

#include "files/flic.h"
#include "files/state.h"
#include "fixture.h"
#include "flic_encoder.h"

#ifdef RSW32_HAVE_AVCODEC
extern "C" {
#include <libavcodec/avcodec.h>
}
#endif

namespace {

using namespace flic_encoder;

constexpr int flic_w = 640, flic_h = 480, flic_frames = 48;

struct Animation {
    Bytes file;                // header and frames
    std::vector<size_t> at;    // where each frame chunk starts in file
    Image last;                // the last frame's indices
};

// Paints frame k: bands, four boxes of one colour each sliding across, and a 96 × 64
// patch of noise drifting down-right (literal packets among the boxes' repeats).
Image frame_image(int k) {
    Image im(size_t(flic_w) * flic_h);
    for (int y = 0; y < flic_h; ++y) std::memset(&im[size_t(y) * flic_w], 16 + y / 20, flic_w);
    for (int b = 0; b < 4; ++b) {
        const int x0 = (b * 150 + k * (6 + 2 * b)) % (flic_w - 80), y0 = 40 + b * 100;
        for (int y = y0; y < y0 + 60; ++y) std::memset(&im[size_t(y) * flic_w + size_t(x0)], 200 + b, 80);
    }
    const int px = 20 + k * 9, py = 10 + k * 7;
    for (int y = py; y < py + 64; ++y)
        for (int x = px; x < px + 96; ++x) im[size_t(y) * flic_w + size_t(x)] = uint8_t(x * 7 ^ y * 13 ^ k);
    return im;
}

const Animation& animation() {
    static const Animation a = [] {
        Animation an;
        an.file = header(files::flic_type_flc, flic_w, flic_h, 0);
        Bytes rgb(768);
        for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = uint8_t(i * 5 / 3);
        Image was(size_t(flic_w) * flic_h, 0);
        for (int k = 0; k < flic_frames; ++k) {
            Image now = frame_image(k);
            Bytes body = k == 0 ? palette_chunk(rgb) : Bytes{};
            const Bytes pixels = k == 0 ? packed_byte_runs(now, flic_w, flic_h) : encode(7, was, now, flic_w, flic_h);
            body.insert(body.end(), pixels.begin(), pixels.end());
            const Bytes fr = chunk(0xF1FA, body, k == 0 ? 2 : 1);
            an.at.push_back(an.file.size());
            an.file.insert(an.file.end(), fr.begin(), fr.end());
            was.swap(now);
        }
        // Frames and size in the header, as a writer leaves them.
        const uint32_t size = uint32_t(an.file.size());
        std::memcpy(an.file.data(), &size, 4);
        an.file[6] = uint8_t(flic_frames), an.file[7] = 0;
        an.last = was;
        return an;
    }();
    return a;
}

void FlicPlay(benchmark::State& state) {
    const int bits = int(state.range(0));
    Animation a = animation();  // the image buffer points into this copy while playing
    const int vb = bench::open(bits, flic_w, flic_h);
    files::ImageBuffer& buf = files::image_buffer();
    uint8_t ctx[files::flic_ctx::size]{};
    std::memcpy(ctx + files::flic_ctx::frames, a.file.data() + 6, 6);  // frames, width, height
    buf.data = a.file.data(), buf.size = int(a.file.size());
    int played = 0;
    for (auto _ : state) {
        const uint32_t start = files::flic_header_size;
        std::memcpy(ctx + files::flic_ctx::position, &start, 4);
        played = rs_flicplay(ctx, flic_frames, 1 | 4);  // no delay, from memory
        benchmark::DoNotOptimize(rs_vbaddr(vb));
    }
    buf = files::ImageBuffer{};
    buf.data = buf.builtin;
    state.SetItemsProcessed(int64_t(state.iterations()) * flic_frames);
    // The last frame's noise patch stands out from the band beside it.
    const int x = 20 + (flic_frames - 1) * 9 + 5, y = 10 + (flic_frames - 1) * 7 + 5;
    const bool landed = played == flic_frames && rs_getpixel(x, y) != rs_getpixel(x - 10, y) &&
                        a.last[size_t(y) * flic_w + size_t(x)] != a.last[size_t(y) * flic_w + size_t(x - 10)];
    bench::verify(state, landed, "the animation did not play");
}
BENCHMARK(FlicPlay)->ArgName("bits")->Arg(8)->Arg(32)->Unit(benchmark::kMillisecond);

#ifdef RSW32_HAVE_AVCODEC
// FFmpeg's decoder, handed the 128-byte header as its extra data and each frame chunk as a
// packet, decoding all frames into its own palette picture.
void FfmpegFlic(benchmark::State& state) {
    const Animation& a = animation();
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_FLIC);
    AVCodecContext* cx = codec ? avcodec_alloc_context3(codec) : nullptr;
    if (!cx) return state.SkipWithError("no FLIC decoder");
    cx->width = flic_w, cx->height = flic_h;
    cx->extradata = static_cast<uint8_t*>(av_mallocz(files::flic_header_size + AV_INPUT_BUFFER_PADDING_SIZE));
    std::memcpy(cx->extradata, a.file.data(), files::flic_header_size);
    cx->extradata_size = files::flic_header_size;
    AVPacket* pkt = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    // Each frame's bytes with the padding the decoder may read past them.
    std::vector<Bytes> packets;
    for (size_t k = 0; k < a.at.size(); ++k) {
        const size_t end = k + 1 < a.at.size() ? a.at[k + 1] : a.file.size();
        Bytes p(a.file.begin() + ptrdiff_t(a.at[k]), a.file.begin() + ptrdiff_t(end));
        p.resize(p.size() + AV_INPUT_BUFFER_PADDING_SIZE, 0);
        packets.push_back(std::move(p));
    }
    int decoded = 0;
    if (avcodec_open2(cx, codec, nullptr) == 0)
        for (auto _ : state) {
            decoded = 0;
            for (Bytes& p : packets) {
                pkt->data = p.data(), pkt->size = int(p.size() - AV_INPUT_BUFFER_PADDING_SIZE);
                if (avcodec_send_packet(cx, pkt) == 0)
                    while (avcodec_receive_frame(cx, frame) == 0) ++decoded, av_frame_unref(frame);
            }
            benchmark::ClobberMemory();
        }
    state.SetItemsProcessed(int64_t(state.iterations()) * flic_frames);
    bench::verify(state, decoded == flic_frames, "FFmpeg did not decode every frame");
    av_frame_free(&frame);
    av_packet_free(&pkt);
    avcodec_free_context(&cx);
}
BENCHMARK(FfmpegFlic)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
