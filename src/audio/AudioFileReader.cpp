#include "audio/AudioFileReader.h"
#include "common/FileNames.h"

#include <QFile>
#include <QtEndian>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

// A file that stops this much short of the length its header declares has
// lost its end; less is encoder padding.
constexpr double kBrokenOffSlack = 0.5;
constexpr int kMaxDamagedPackets = 50;
// No real recording is made below telephone rates or above the highest
// studio rate; a header outside asks the resampler for absurd amounts.
constexpr int kMinSampleRate = 4000;
constexpr int kMaxSampleRate = 384000;
// Converted frames made at a time: bounds the pending buffer (0.5 MB of
// stereo floats) whatever size of frame a decoder hands over.
constexpr int kMaxConvertFrames = 65536;
// A WAV may declare more than it holds when it was cut off; this much more
// is no cut but a forged header.
constexpr std::int64_t kMaxDeclaredOverSize = 64;

QString errorText(int code)
{
    char buffer[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, buffer, sizeof buffer);
    return QString::fromUtf8(buffer);
}

QString minutesText(double seconds)
{
    const int whole = int(seconds);
    return QStringLiteral("%1:%2").arg(whole / 60).arg(whole % 60, 2, 10, QChar('0'));
}

// The length a WAV file's data chunk declares, in frames; 0 when unknown.
// The demuxer guesses a WAV's length from the file's size, which cannot tell
// a file cut short.
std::int64_t wavDeclaredFrames(const QString& path, int blockAlign)
{
    QFile file;
    if (blockAlign <= 0 || !openForReading(file, path))
        return 0;
    const QByteArray head = file.read(qint64(64) * 1024);
    if (!head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return 0;
    for (qsizetype at = 12; at + 8 <= head.size();) {
        const auto size = qFromLittleEndian<quint32>(head.constData() + at + 4);
        if (head.mid(at, 4) == "data")
            return size == 0xffffffffU ? 0 : std::int64_t(size) / blockAlign;
        at += 8 + qsizetype(size) + qsizetype(size & 1);
    }
    return 0;
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

} // namespace

// One opened stream: demuxer, decoder, resampler and the converted frames not
// yet handed out.
class AudioFileReader::Stream {
public:
    DecodeFailure failure = DecodeFailure::None;
    QString detail;

    DecodeFailure open(const QString& path, int outputRate, int channels)
    {
        av_log_set_level(AV_LOG_QUIET); // reasons go into the result, not onto the console
        AVFormatContext* rawFormat = nullptr;
        if (const int err = avformat_open_input(&rawFormat, nativePath(path).constData(), nullptr, nullptr); err < 0)
            return openFailure(path, err);
        format_.reset(rawFormat);
        if (const int err = avformat_find_stream_info(format_.get(), nullptr); err < 0)
            return fail(DecodeFailure::Undecodable, errorText(err));
        const AVCodec* codecType = nullptr;
        index_ = av_find_best_stream(format_.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &codecType, 0);
        if (index_ < 0 || !codecType)
            return fail(DecodeFailure::NoAudioStream, errorText(index_));
        codec_.reset(avcodec_alloc_context3(codecType));
        avcodec_parameters_to_context(codec_.get(), stream()->codecpar);
        if (const int err = avcodec_open2(codec_.get(), codecType, nullptr); err < 0)
            return fail(DecodeFailure::Undecodable, errorText(err));
        if (codec_->ch_layout.nb_channels <= 0)
            av_channel_layout_default(&codec_->ch_layout, 1);
        else if (codec_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
            av_channel_layout_default(&codec_->ch_layout, codec_->ch_layout.nb_channels);
        inRate_ = codec_->sample_rate;
        if (inRate_ < kMinSampleRate || inRate_ > kMaxSampleRate)
            return fail(DecodeFailure::Undecodable, QStringLiteral("sample rate %1 Hz").arg(inRate_));
        if (const QString why = implausiblePcm(); !why.isEmpty())
            return fail(DecodeFailure::Undecodable, why);
        outRate_ = outputRate > 0 ? outputRate : inRate_;
        outChannels_ = std::clamp(channels, 1, 2);
        // A mono file goes to both channels at its full level; the resampler's
        // own upmix would lower it by 3 dB.
        convertedChannels_ = codec_->ch_layout.nb_channels == 1 ? 1 : outChannels_;
        if (!openResampler())
            return fail(DecodeFailure::Undecodable, QStringLiteral("resampler"));
        inputPlanes_.resize(size_t(std::max(1, codec_->ch_layout.nb_channels)));
        if (std::strcmp(format_->iformat->name, "wav") == 0) {
            wavFrames_ = wavDeclaredFrames(path, stream()->codecpar->block_align);
            const auto status = fileStatus(path);
            const std::int64_t fileSize = status ? status->size : 0;
            if (wavFrames_ > 0 && wavFrames_ * stream()->codecpar->block_align / kMaxDeclaredOverSize > fileSize)
                return fail(DecodeFailure::Undecodable, QStringLiteral("declared length beyond the file"));
        }
        return DecodeFailure::None;
    }

    int read(float* out, int frames)
    {
        int written = 0;
        while (written < frames) {
            if (pendingFrames() == 0 && !decodeMore())
                break;
            written += takePending(out + size_t(written) * size_t(outChannels_), frames - written);
        }
        return written;
    }

    bool seek(double seconds)
    {
        const AVStream* s = stream();
        const std::int64_t origin = s->start_time != AV_NOPTS_VALUE ? s->start_time : 0;
        const std::int64_t target =
            origin + av_rescale_q(std::llround(seconds * AV_TIME_BASE), AV_TIME_BASE_Q, s->time_base);
        if (avformat_seek_file(format_.get(), index_, INT64_MIN, target, target, 0) < 0 &&
            av_seek_frame(format_.get(), index_, target, AVSEEK_FLAG_BACKWARD) < 0)
            return false;
        releaseFrame();
        avcodec_flush_buffers(codec_.get());
        swr_init(resampler_.get()); // drops what the resampler still holds
        pending_.clear();
        pendingStart_ = 0;
        alignTo_ = std::llround(seconds * inRate_);
        startFrame_ = std::llround(seconds * outRate_);
        delivered_ = 0;
        draining_ = false;
        ended_ = false;
        readError_ = 0;
        failure = DecodeFailure::None;
        detail.clear();
        return true;
    }

    double declaredSeconds() const
    {
        if (wavFrames_ > 0)
            return double(wavFrames_) / inRate_;
        const AVStream* s = stream();
        if (s->duration != AV_NOPTS_VALUE && s->duration > 0)
            return double(s->duration) * av_q2d(s->time_base);
        if (format_->duration != AV_NOPTS_VALUE && format_->duration > 0)
            return double(format_->duration) / AV_TIME_BASE;
        return 0;
    }

    int sampleRate() const { return outRate_; }
    int channels() const { return outChannels_; }
    std::int64_t position() const { return startFrame_ + delivered_; }

private:
    AVStream* stream() const { return format_->streams[index_]; }
    std::int64_t pendingFrames() const
    {
        return std::int64_t(pending_.size() / size_t(convertedChannels_)) - pendingStart_;
    }

    DecodeFailure fail(DecodeFailure kind, const QString& why)
    {
        failure = kind;
        detail = why;
        return kind;
    }

    // Plain PCM has one block per frame: a block align of other size is a
    // forged header that makes the decoder hand out giant frames.
    QString implausiblePcm() const
    {
        const AVCodecParameters* par = stream()->codecpar;
        if (!QByteArray(avcodec_get_name(par->codec_id)).startsWith("pcm_"))
            return {};
        const int bits = av_get_bits_per_sample(par->codec_id);
        const int channels = codec_->ch_layout.nb_channels;
        if (bits <= 0 || par->block_align <= 0 || par->block_align == bits / 8 * channels)
            return {};
        return QStringLiteral("block align %1 for %2 channels of %3 bits")
            .arg(par->block_align)
            .arg(channels)
            .arg(bits);
    }

    // Tells a file the system refuses from one whose content no demuxer knows.
    DecodeFailure openFailure(const QString& path, int err)
    {
        QFile file;
        QString why;
        if (!openForReading(file, path, &why))
            return fail(DecodeFailure::CannotOpen, why);
        if (file.size() == 0)
            return fail(DecodeFailure::Empty, QString());
        return fail(DecodeFailure::Undecodable, errorText(err));
    }

    bool openResampler()
    {
        SwrContext* raw = nullptr;
        AVChannelLayout layout{};
        av_channel_layout_default(&layout, convertedChannels_);
        const bool made = swr_alloc_set_opts2(&raw, &layout, AV_SAMPLE_FMT_FLT, outRate_, &codec_->ch_layout,
                                              codec_->sample_fmt, inRate_, 0, nullptr) >= 0;
        resampler_.reset(raw);
        return made && swr_init(raw) >= 0;
    }

    // Decodes until some frames are pending or the stream has ended.
    bool decodeMore()
    {
        while (!ended_ && pendingFrames() == 0) {
            if (frameHeld_) {
                convertFrame();
                continue;
            }
            const int received = avcodec_receive_frame(codec_.get(), frame_.get());
            if (received == 0) {
                frameHeld_ = true;
                frameOffset_ = 0;
                convertFrame();
            }
            else if (received == AVERROR_EOF || (received == AVERROR(EAGAIN) && draining_)) {
                finish(); // a flushed decoder that wants more input has nothing left either
            }
            else if (received != AVERROR(EAGAIN)) {
                countDamage();
            }
            else {
                feedPacket();
            }
        }
        return pendingFrames() > 0;
    }

    void feedPacket()
    {
        const int read = av_read_frame(format_.get(), packet_.get());
        if (read < 0) {
            if (read != AVERROR_EOF)
                readError_ = read;
            draining_ = true;
            avcodec_send_packet(codec_.get(), nullptr);
            return;
        }
        if (packet_->stream_index == index_) {
            const int sent = avcodec_send_packet(codec_.get(), packet_.get());
            // A damaged packet in the middle of a file loses a few milliseconds, not the file.
            if (sent < 0 && sent != AVERROR(EAGAIN))
                countDamage();
        }
        av_packet_unref(packet_.get());
    }

    void countDamage()
    {
        if (++damagedPackets_ < kMaxDamagedPackets)
            return;
        fail(DecodeFailure::Undecodable, QStringLiteral("too many damaged packets"));
        ended_ = true;
    }

    void finish()
    {
        convert(nullptr, 0);
        ended_ = true;
        if (readError_ != 0) {
            fail(DecodeFailure::BrokenOff, errorText(readError_));
            return;
        }
        // Only a length the header states can be missed; one guessed from the bit rate cannot.
        const double declared = declaredSeconds();
        const double reached = double(position() + pendingFrames()) / outRate_;
        const bool stated = wavFrames_ > 0 || format_->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE;
        if (stated && declared > 0 && reached < declared - kBrokenOffSlack)
            fail(DecodeFailure::BrokenOff, QStringLiteral("%1 / %2").arg(minutesText(reached), minutesText(declared)));
    }

    void releaseFrame()
    {
        av_frame_unref(frame_.get());
        frameHeld_ = false;
        frameOffset_ = 0;
    }

    // Converts the held frame's next part, no more than kMaxConvertFrames
    // after resampling. After a seek the decoder starts at a packet before
    // the target; drops the samples up to it, so reading resumes on the very
    // sample.
    void convertFrame()
    {
        const int count = frame_->nb_samples;
        std::int64_t skip = frameOffset_;
        if (alignTo_ >= 0) {
            const std::int64_t pts = frame_->best_effort_timestamp;
            const AVStream* s = stream();
            const std::int64_t origin = s->start_time != AV_NOPTS_VALUE ? s->start_time : 0;
            const std::int64_t first =
                pts == AV_NOPTS_VALUE ? alignTo_ : av_rescale_q(pts - origin, s->time_base, AVRational{1, inRate_});
            skip = std::max<std::int64_t>(0, alignTo_ - first);
            if (skip >= count) {
                releaseFrame();
                return;
            }
            alignTo_ = -1;
        }
        const std::int64_t chunk =
            std::max<std::int64_t>(1, std::int64_t(kMaxConvertFrames) * inRate_ / std::max(outRate_, 1) - 64);
        const std::int64_t take = std::min<std::int64_t>(count - skip, chunk);
        const bool planar = av_sample_fmt_is_planar(codec_->sample_fmt);
        const int bytes = av_get_bytes_per_sample(codec_->sample_fmt);
        const size_t planeStep = size_t(skip) * size_t(bytes) * size_t(planar ? 1 : codec_->ch_layout.nb_channels);
        const size_t planes = planar ? inputPlanes_.size() : 1;
        for (size_t p = 0; p < planes; ++p)
            inputPlanes_[p] = frame_->extended_data[p] + planeStep;
        convert(inputPlanes_.data(), int(take));
        frameOffset_ = skip + take;
        if (frameOffset_ >= count)
            releaseFrame();
    }

    void convert(const uint8_t** input, int inputCount)
    {
        if (pendingStart_ > 0) {
            pending_.erase(pending_.begin(), pending_.begin() + pendingStart_ * convertedChannels_);
            pendingStart_ = 0;
        }
        const int room = swr_get_out_samples(resampler_.get(), inputCount);
        if (room <= 0)
            return;
        const size_t start = pending_.size();
        pending_.resize(start + size_t(room) * size_t(convertedChannels_));
        auto* target = reinterpret_cast<uint8_t*>(pending_.data() + start);
        const int made = swr_convert(resampler_.get(), &target, room, input, inputCount);
        pending_.resize(start + size_t(std::max(made, 0)) * size_t(convertedChannels_));
    }

    int takePending(float* out, int frames)
    {
        const int count = int(std::min<std::int64_t>(frames, pendingFrames()));
        const float* from = pending_.data() + size_t(pendingStart_) * size_t(convertedChannels_);
        if (convertedChannels_ == outChannels_) {
            std::memcpy(out, from, sizeof(float) * size_t(count) * size_t(outChannels_));
        }
        else {
            for (int i = 0; i < count; ++i)
                out[2 * size_t(i)] = out[2 * size_t(i) + 1] = from[i];
        }
        pendingStart_ += count;
        delivered_ += count;
        return count;
    }

    std::unique_ptr<AVFormatContext, FormatCloser> format_;
    std::unique_ptr<AVCodecContext, CodecFreer> codec_;
    std::unique_ptr<SwrContext, ResamplerFreer> resampler_;
    std::unique_ptr<AVPacket, PacketFreer> packet_{av_packet_alloc()};
    std::unique_ptr<AVFrame, FrameFreer> frame_{av_frame_alloc()};
    std::vector<const uint8_t*> inputPlanes_;
    std::vector<float> pending_;
    std::int64_t pendingStart_ = 0;
    std::int64_t alignTo_ = -1; // input sample a seek asked for, until reached
    std::int64_t startFrame_ = 0;
    std::int64_t wavFrames_ = 0;
    std::int64_t delivered_ = 0;
    std::int64_t frameOffset_ = 0; // samples of the held frame converted so far
    int index_ = -1;
    int inRate_ = 0;
    int outRate_ = 0;
    int outChannels_ = 2;
    int convertedChannels_ = 2;
    int damagedPackets_ = 0;
    int readError_ = 0;
    bool draining_ = false;
    bool ended_ = false;
    bool frameHeld_ = false;
};

AudioFileReader::AudioFileReader() = default;
AudioFileReader::~AudioFileReader() = default;

bool AudioFileReader::open(const QString& path, int outputRate, int channels)
{
    stream_ = std::make_unique<Stream>();
    failure_ = stream_->open(path, outputRate, channels);
    detail_ = stream_->detail;
    if (failure_ != DecodeFailure::None)
        stream_.reset();
    return stream_ != nullptr;
}

int AudioFileReader::read(float* out, int frames)
{
    if (!stream_)
        return 0;
    const int written = stream_->read(out, frames);
    failure_ = stream_->failure;
    detail_ = stream_->detail;
    return written;
}

bool AudioFileReader::seek(double seconds)
{
    if (!stream_ || !stream_->seek(std::max(0.0, seconds)))
        return false;
    failure_ = DecodeFailure::None;
    detail_.clear();
    return true;
}

int AudioFileReader::sampleRate() const
{
    return stream_ ? stream_->sampleRate() : 0;
}

int AudioFileReader::channels() const
{
    return stream_ ? stream_->channels() : 0;
}

double AudioFileReader::declaredSeconds() const
{
    return stream_ ? stream_->declaredSeconds() : 0;
}

std::int64_t AudioFileReader::position() const
{
    return stream_ ? stream_->position() : 0;
}

DecodeFailure AudioFileReader::failure() const
{
    return failure_;
}

QString AudioFileReader::failureDetail() const
{
    return detail_;
}
