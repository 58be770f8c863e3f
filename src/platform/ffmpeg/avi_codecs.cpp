// The AVI codecs beyond the built-in ones, on FFmpeg's libraries: streams of any codec
// libavcodec decodes are read with its AVI demuxer and decoder, and frames are coded for
// any handler its encoders take.
//
// FFmpeg reads the file through the host's file layer (a custom I/O context), so it sees
// exactly the bytes the built-in reader sees, memory files included. Frames are numbered
// by their timestamps, which the AVI demuxer counts in frames from the stream's first, so a
// codec that reorders frames still delivers frame n as n; going back seeks to the key
// frame before it and decodes forward. One thread decodes and codes, so that frames come
// out as they go in. FFmpeg's own log is silenced: the library reports by result codes.
//
// Quality 0..10000 maps onto the coder's scale: codecs with a constant-rate factor (the
// H.264 coders) get crf 51 - 51 × quality / 10000, others a fixed quantiser
// 31 - 30 × quality / 10000 (1 best, 31 worst); lossless codecs ignore it; -1 counts as
// 7500 (quantiser 9, crf 12.75). Frames are coded in the coder's pixel format nearest the
// frames given (FFV1 keeps RGB frames lossless).
#ifdef RSW32_FFMPEG

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include "platform/common/avi_objects.h"
#include "platform/file.h"

namespace host::avi {
namespace {

constexpr int sws_flags = SWS_BICUBIC | SWS_ACCURATE_RND | SWS_FULL_CHR_H_INT | SWS_BITEXACT;

void quiet() {
    static const bool once = (av_log_set_level(AV_LOG_QUIET), true);
    (void)once;
}

AVPixelFormat frame_format(int bits) {
    return bits == 16 ? AV_PIX_FMT_RGB555LE : bits == 24 ? AV_PIX_FMT_BGR24 : bits == 32 ? AV_PIX_FMT_BGRA : AV_PIX_FMT_NONE;
}

// A host file as FFmpeg's input.
int read_packet(void* opaque, uint8_t* buffer, int size) {
    const size_t n = file_read(*static_cast<int*>(opaque), buffer, size_t(size));
    return n ? int(n) : AVERROR_EOF;
}
int64_t seek(void* opaque, int64_t offset, int whence) {
    const int file = *static_cast<int*>(opaque);
    if (whence & AVSEEK_SIZE) return file_size(file);
    whence &= ~AVSEEK_FORCE;
    const FileOrigin origin = whence == SEEK_CUR ? from_current : whence == SEEK_END ? from_end : from_start;
    return file_seek(file, offset, origin);
}

class Reader final : public CodecReader {
public:
    ~Reader() override {
        av_frame_free(&frame_);
        av_packet_free(&packet_);
        avcodec_free_context(&codec_);
        avformat_close_input(&format_);
        if (io_) av_freep(&io_->buffer);
        avio_context_free(&io_);
        sws_freeContext(sws_);
        av_free(rows_);
        file_close(file_);
    }

    bool open(const char* filename, int width, int height, int bits) {
        width_ = width, height_ = height, bits_ = bits;
        if (frame_format(bits) == AV_PIX_FMT_NONE || !(file_ = file_open(filename))) return false;
        auto* buffer = static_cast<uint8_t*>(av_malloc(1 << 16));
        if (!buffer) return false;
        io_ = avio_alloc_context(buffer, 1 << 16, 0, &file_, read_packet, nullptr, seek);
        if (!io_) return av_free(buffer), false;
        if (!(format_ = avformat_alloc_context())) return false;
        format_->pb = io_;
        format_->flags |= AVFMT_FLAG_CUSTOM_IO;
        if (avformat_open_input(&format_, nullptr, av_find_input_format("avi"), nullptr) < 0) return false;  // frees format_
        for (unsigned i = 0; i < format_->nb_streams && stream_ < 0; ++i)
            if (format_->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) stream_ = int(i);
        if (stream_ < 0) return false;
        const AVCodecParameters* par = format_->streams[stream_]->codecpar;
        const AVCodec* decoder = avcodec_find_decoder(par->codec_id);
        if (!decoder || !(codec_ = avcodec_alloc_context3(decoder)) || avcodec_parameters_to_context(codec_, par) < 0)
            return false;
        codec_->thread_count = 1;
        stride_ = int(row_bytes(width, bits));
        rows_ = static_cast<uint8_t*>(av_malloc(size_t(stride_) * size_t(height) + 64));
        return avcodec_open2(codec_, decoder, nullptr) >= 0 && (frame_ = av_frame_alloc()) && (packet_ = av_packet_alloc()) &&
               rows_;
    }

    bool frame(int64_t n, uint8_t* pixels) override {
        // Back, or far ahead: from the key frame before n.
        if ((n < next_ || n > next_ + 64) && !rewind(n)) return false;
        for (int steps = 0; steps < 1 << 20; ++steps) {
            if (held_) {
                const int64_t at = number(frame_);
                if (at > n) return next_ = n + 1, true;  // frame n was dropped: the picture stays
                if (at == n) {
                    held_ = false, next_ = n + 1;
                    const bool ok = convert(pixels);
                    av_frame_unref(frame_);
                    return ok;
                }
                held_ = false;
                av_frame_unref(frame_);
            }
            const int r = avcodec_receive_frame(codec_, frame_);
            if (r == 0) {
                held_ = true;
            } else if (r == AVERROR(EAGAIN) && !draining_) {
                feed();
            } else {
                return false;  // the end, or a frame that cannot be decoded
            }
        }
        return false;
    }

private:
    // The next packet of the stream to the decoder; at the end of the file, the signal
    // that lets it give up the frames it holds.
    void feed() {
        while (!draining_) {
            if (av_read_frame(format_, packet_) < 0) {
                draining_ = true;
                avcodec_send_packet(codec_, nullptr);
                return;
            }
            const bool ours = packet_->stream_index == stream_;
            const int r = ours ? avcodec_send_packet(codec_, packet_) : 0;
            av_packet_unref(packet_);
            if (ours && r != AVERROR(EAGAIN)) return;  // damaged packets are passed over
        }
    }

    bool rewind(int64_t n) {
        AVStream* st = format_->streams[stream_];
        const int64_t first = st->start_time == AV_NOPTS_VALUE ? 0 : st->start_time;
        if (av_seek_frame(format_, stream_, first + n, AVSEEK_FLAG_BACKWARD) < 0 &&
            av_seek_frame(format_, stream_, first, AVSEEK_FLAG_BACKWARD | AVSEEK_FLAG_ANY) < 0)
            return false;
        avcodec_flush_buffers(codec_);
        av_frame_unref(frame_);
        held_ = draining_ = false, next_ = n;
        return true;
    }

    int64_t number(const AVFrame* f) const {
        const AVStream* st = format_->streams[stream_];
        const int64_t first = st->start_time == AV_NOPTS_VALUE ? 0 : st->start_time;
        const int64_t ts = f->best_effort_timestamp != AV_NOPTS_VALUE ? f->best_effort_timestamp : f->pts;
        return ts == AV_NOPTS_VALUE ? next_ : ts - first;
    }

    // The decoded picture scaled to the frame's size in the frame's pixels, turned bottom-up.
    bool convert(uint8_t* pixels) {
        if (frame_->width <= 0 || frame_->height <= 0) return false;
        sws_ = sws_getCachedContext(sws_, frame_->width, frame_->height, AVPixelFormat(frame_->format), width_, height_,
                                    frame_format(bits_), sws_flags, nullptr, nullptr, nullptr);
        if (!sws_) return false;
        uint8_t* dst[4] = {rows_};
        const int lines[4] = {stride_};
        if (sws_scale(sws_, frame_->data, frame_->linesize, 0, frame_->height, dst, lines) != height_) return false;
        for (int y = 0; y < height_; ++y)
            std::memcpy(pixels + size_t(height_ - 1 - y) * size_t(stride_), rows_ + size_t(y) * size_t(stride_), size_t(stride_));
        return true;
    }

    int file_ = 0, stream_ = -1, width_ = 0, height_ = 0, bits_ = 0, stride_ = 0;
    AVIOContext* io_ = nullptr;
    AVFormatContext* format_ = nullptr;
    AVCodecContext* codec_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* sws_ = nullptr;
    uint8_t* rows_ = nullptr;
    bool held_ = false, draining_ = false;
    int64_t next_ = 0;
};

// The codec FFmpeg knows under a handler's four characters, as AVI files name them.
const AVCodec* encoder_for(uint32_t handler) {
    const AVCodecTag* const tags[] = {avformat_get_riff_video_tags(), nullptr};
    const AVCodecID id = av_codec_get_id(tags, handler);
    return id == AV_CODEC_ID_NONE ? nullptr : avcodec_find_encoder(id);
}

class Writer final : public CodecWriter {
public:
    ~Writer() override {
        av_frame_free(&frame_);
        av_packet_free(&packet_);
        avcodec_free_context(&codec_);
        sws_freeContext(sws_);
        av_free(rows_);
    }

    bool open(const AVCodec* encoder, uint32_t handler, int quality, const uint8_t* format, size_t bytes, uint32_t rate,
              uint32_t scale) {
        width_ = int32_t(get32(format + 4)), height_ = int32_t(get32(format + 8));
        const int bits = get16(format + 14);
        in_ = bits == 8 ? AV_PIX_FMT_PAL8 : bits == 16 ? AV_PIX_FMT_RGB555LE : bits == 24 ? AV_PIX_FMT_BGR24
            : bits == 32 ? AV_PIX_FMT_BGR0 : AV_PIX_FMT_NONE;
        const uint64_t table = std::min<uint64_t>(get32(format), bytes);
        if (in_ == AV_PIX_FMT_NONE || width_ <= 0 || height_ <= 0 || (bits == 8 && bytes - table < 4)) return false;
        for (size_t i = 0; i < 256 && table + 4 * i + 4 <= bytes; ++i)  // opaque colours, as FFmpeg wants them
            palette_[i] = get32(format + table + 4 * i) | 0xFF000000u;
        stride_ = int(row_bytes(width_, bits));
        if (!(codec_ = avcodec_alloc_context3(encoder))) return false;
        codec_->width = width_, codec_->height = height_;
        codec_->time_base = AVRational{int(std::min<uint32_t>(scale, INT32_MAX)), int(std::min<uint32_t>(rate, INT32_MAX))};
        codec_->framerate = AVRational{codec_->time_base.den, codec_->time_base.num};
        codec_->pix_fmt = encoder->pix_fmts ? avcodec_find_best_pix_fmt_of_list(encoder->pix_fmts, in_, 0, nullptr) : in_;
        codec_->thread_count = 1;
        codec_->max_b_frames = 0;
        codec_->codec_tag = handler;
        codec_->strict_std_compliance = FF_COMPLIANCE_UNOFFICIAL;  // full-range YUV for Motion-JPEG
        const int q = quality < 0 ? 7500 : std::min(quality, 10000);
        if (!codec_->priv_data || av_opt_set_double(codec_->priv_data, "crf", 51.0 - 51.0 * q / 10000, 0) < 0) {
            codec_->flags |= AV_CODEC_FLAG_QSCALE;
            codec_->global_quality = FF_QP2LAMBDA * (31 - 30 * q / 10000);
        }
        if (avcodec_open2(codec_, encoder, nullptr) < 0 || !(frame_ = av_frame_alloc()) || !(packet_ = av_packet_alloc()))
            return false;
        frame_->format = codec_->pix_fmt, frame_->width = width_, frame_->height = height_;
        rows_ = static_cast<uint8_t*>(av_malloc(size_t(stride_) * size_t(height_) + 64));
        sws_ = sws_getContext(width_, height_, in_, width_, height_, codec_->pix_fmt, sws_flags, nullptr, nullptr, nullptr);
        if (!rows_ || !sws_ || av_frame_get_buffer(frame_, 0) < 0) return false;
        // The file's format: a bitmap header naming the codec, then the coder's extra data.
        format_.assign(40, 0);
        uint8_t* h = format_.data();
        put32(h, 40), put32(h + 4, uint32_t(width_)), put32(h + 8, uint32_t(height_));
        put16(h + 12, 1), put16(h + 14, codec_->bits_per_coded_sample > 0 ? uint32_t(codec_->bits_per_coded_sample) : 24);
        put32(h + 16, handler), put32(h + 20, uint32_t(uint64_t(width_) * uint64_t(height_) * 3));
        if (codec_->extradata && codec_->extradata_size > 0) {
            format_.insert(format_.end(), codec_->extradata, codec_->extradata + codec_->extradata_size);
            put32(format_.data(), uint32_t(format_.size()));
        }
        return true;
    }

    const std::vector<uint8_t>& format() const override { return format_; }

    bool encode(const uint8_t* pixels, const PacketSink& out) override {
        if (av_frame_make_writable(frame_) < 0) return false;
        for (int y = 0; y < height_; ++y)  // top row first
            std::memcpy(rows_ + size_t(y) * size_t(stride_), pixels + size_t(height_ - 1 - y) * size_t(stride_), size_t(stride_));
        const uint8_t* src[4] = {rows_, in_ == AV_PIX_FMT_PAL8 ? reinterpret_cast<const uint8_t*>(palette_) : nullptr};
        const int lines[4] = {stride_, in_ == AV_PIX_FMT_PAL8 ? 4 * 256 : 0};
        if (sws_scale(sws_, src, lines, 0, height_, frame_->data, frame_->linesize) != height_) return false;
        frame_->pts = pts_++;
        return avcodec_send_frame(codec_, frame_) >= 0 && drain(out);
    }

    bool finish(const PacketSink& out) override { return avcodec_send_frame(codec_, nullptr) >= 0 && drain(out); }

private:
    bool drain(const PacketSink& out) {
        for (;;) {
            const int r = avcodec_receive_packet(codec_, packet_);
            if (r == AVERROR(EAGAIN) || r == AVERROR_EOF) return true;
            if (r < 0) return false;
            const bool ok = out(packet_->data, size_t(packet_->size), (packet_->flags & AV_PKT_FLAG_KEY) != 0);
            av_packet_unref(packet_);
            if (!ok) return false;
        }
    }

    int32_t width_ = 0, height_ = 0;
    int stride_ = 0;
    int64_t pts_ = 0;
    AVPixelFormat in_ = AV_PIX_FMT_NONE;
    uint32_t palette_[256]{};
    AVCodecContext* codec_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* sws_ = nullptr;
    uint8_t* rows_ = nullptr;
    std::vector<uint8_t> format_;
};

}  // namespace

std::unique_ptr<CodecReader> open_codec_reader(const char* filename, const uint8_t*, size_t, int width, int height, int bits) {
    quiet();
    auto r = std::make_unique<Reader>();
    if (!filename || width <= 0 || height <= 0 || !r->open(filename, width, height, bits)) return nullptr;
    return r;
}

bool codec_writes(uint32_t handler) {
    quiet();
    return encoder_for(handler) != nullptr;
}

std::unique_ptr<CodecWriter> open_codec_writer(uint32_t handler, int quality, const uint8_t* format, size_t bytes,
                                               uint32_t rate, uint32_t scale) {
    quiet();
    const AVCodec* encoder = encoder_for(handler);
    auto w = std::make_unique<Writer>();
    if (!encoder || !format || bytes < 40 || rate == 0 || scale == 0 ||
        !w->open(encoder, handler, quality, format, bytes, rate, scale))
        return nullptr;
    return w;
}

}  // namespace host::avi

#endif
