#include "music/AudioDecoder.h"

#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
}

#include <memory>

namespace {

QString errorText(int code)
{
    char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buffer, sizeof buffer);
    return QString::fromUtf8(buffer);
}

struct FormatCloser {
    void operator()(AVFormatContext* c) const { avformat_close_input(&c); }
};
struct CodecFreer {
    void operator()(AVCodecContext* c) const { avcodec_free_context(&c); }
};
struct ResamplerFreer {
    void operator()(SwrContext* c) const { swr_free(&c); }
};
struct PacketFreer {
    void operator()(AVPacket* p) const { av_packet_free(&p); }
};
struct FrameFreer {
    void operator()(AVFrame* f) const { av_frame_free(&f); }
};

DecodedAudio failed(DecodeFailure failure, const QString& detail)
{
    DecodedAudio result;
    result.failure = failure;
    result.detail = detail;
    return result;
}

// Decoding and resampling of one opened stream.
class StreamDecoder {
public:
    StreamDecoder(AVCodecContext* codec, SwrContext* resampler, DecodedAudio& out, size_t keptSamples)
        : codec_(codec),
          resampler_(resampler),
          out_(out),
          keptSamples_(keptSamples)
    {
    }

    // Sends one packet (null flushes) and collects what comes out.
    bool feed(const AVPacket* packet)
    {
        const int sent = avcodec_send_packet(codec_, packet);
        // A damaged packet in the middle of a file loses a few milliseconds, not the file.
        if (sent < 0 && sent != AVERROR(EAGAIN) && packet)
            return ++damagedPackets_ < MaxDamagedPackets;
        for (;;) {
            const int received = avcodec_receive_frame(codec_, frame_.get());
            if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
                return true;
            if (received < 0)
                return ++damagedPackets_ < MaxDamagedPackets;
            convert(frame_->extended_data, frame_->nb_samples);
            av_frame_unref(frame_.get());
        }
    }

    void drainResampler() { convert(nullptr, 0); }
    int damagedPackets() const { return damagedPackets_; }

private:
    static constexpr int MaxDamagedPackets = 50;

    void convert(uint8_t** input, int inputCount)
    {
        const int room = swr_get_out_samples(resampler_, inputCount);
        if (room <= 0)
            return;
        const size_t start = out_.samples.size();
        out_.samples.resize(start + size_t(room));
        auto* target = reinterpret_cast<uint8_t*>(out_.samples.data() + start);
        const int made = swr_convert(resampler_, &target, room, const_cast<const uint8_t**>(input), inputCount);
        out_.samples.resize(start + size_t(std::max(made, 0)));
        out_.sampleCount += std::max(made, 0);
        if (out_.samples.size() > keptSamples_)
            out_.samples.resize(keptSamples_);
    }

    AVCodecContext* codec_;
    SwrContext* resampler_;
    DecodedAudio& out_;
    size_t keptSamples_;
    std::unique_ptr<AVFrame, FrameFreer> frame_{av_frame_alloc()};
    int damagedPackets_ = 0;
};

} // namespace

DecodedAudio decodeAudioFile(const QString& path, int sampleRate, const std::atomic_bool* cancel, double keptSeconds)
{
    if (cancel && cancel->load())
        return failed(DecodeFailure::Cancelled, QString());
    av_log_set_level(AV_LOG_QUIET); // reasons go into the result, not onto the console
    AVFormatContext* rawFormat = nullptr;
    const QByteArray name = path.toUtf8();
    if (const int err = avformat_open_input(&rawFormat, name.constData(), nullptr, nullptr); err < 0) {
        // Tell a file the system refuses from one whose content no demuxer knows.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return failed(DecodeFailure::CannotOpen, file.errorString());
        if (file.size() == 0)
            return failed(DecodeFailure::Empty, QString());
        return failed(DecodeFailure::Undecodable, errorText(err));
    }
    std::unique_ptr<AVFormatContext, FormatCloser> format(rawFormat);
    if (const int err = avformat_find_stream_info(format.get(), nullptr); err < 0)
        return failed(DecodeFailure::Undecodable, errorText(err));

    const AVCodec* codecType = nullptr;
    const int stream = av_find_best_stream(format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codecType, 0);
    if (stream < 0 || !codecType)
        return failed(DecodeFailure::NoAudioStream, errorText(stream));
    std::unique_ptr<AVCodecContext, CodecFreer> codec(avcodec_alloc_context3(codecType));
    avcodec_parameters_to_context(codec.get(), format->streams[stream]->codecpar);
    if (const int err = avcodec_open2(codec.get(), codecType, nullptr); err < 0)
        return failed(DecodeFailure::Undecodable, errorText(err));
    if (codec->ch_layout.nb_channels <= 0)
        av_channel_layout_default(&codec->ch_layout, 1);

    SwrContext* rawResampler = nullptr;
    AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
    if (swr_alloc_set_opts2(&rawResampler, &mono, AV_SAMPLE_FMT_FLT, sampleRate, &codec->ch_layout, codec->sample_fmt,
                            codec->sample_rate, 0, nullptr) < 0 ||
        swr_init(rawResampler) < 0) {
        swr_free(&rawResampler);
        return failed(DecodeFailure::Undecodable, QStringLiteral("resampler"));
    }
    std::unique_ptr<SwrContext, ResamplerFreer> resampler(rawResampler);

    DecodedAudio result;
    result.sampleRate = sampleRate;
    StreamDecoder decoder(codec.get(), resampler.get(), result, size_t(std::max(0.0, keptSeconds) * sampleRate));
    std::unique_ptr<AVPacket, PacketFreer> packet(av_packet_alloc());
    bool readable = true;
    int readError = 0;
    while (readable) {
        if (cancel && cancel->load())
            return failed(DecodeFailure::Cancelled, QString());
        readError = av_read_frame(format.get(), packet.get());
        if (readError < 0)
            break;
        if (packet->stream_index == stream)
            readable = decoder.feed(packet.get());
        av_packet_unref(packet.get());
    }
    if (!readable)
        return failed(DecodeFailure::Undecodable, QStringLiteral("too many damaged packets"));
    decoder.feed(nullptr);
    decoder.drainResampler();
    if (result.sampleCount == 0)
        return failed(DecodeFailure::NoSamples,
                      readError < 0 && readError != AVERROR_EOF ? errorText(readError) : QString());
    return result;
}
