#include "app/movie_writer.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace antraid {

struct MovieWriter::Av {
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  AVStream* stream = nullptr;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scale = nullptr;
  int width = 0, height = 0;
  bool headerWritten = false;

  ~Av() {
    sws_freeContext(scale);
    av_packet_free(&packet);
    av_frame_free(&frame);
    avcodec_free_context(&codec);
    if (format) {
      if (format->pb) avio_closep(&format->pb);
      avformat_free_context(format);
    }
  }
};

namespace {
std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}
bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}
std::string AvError(int code) {
  char buf[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, buf, sizeof buf);
  return buf;
}
}  // namespace

MovieWriter::MovieWriter() = default;
MovieWriter::~MovieWriter() {
  if (isOpen()) Finish();
}

bool MovieWriter::KnownExtension(const std::string& path) {
  const std::string p = Lower(path);
  return EndsWith(p, ".mp4") || EndsWith(p, ".webm");
}

bool MovieWriter::isOpen() const { return av_ != nullptr; }

std::string MovieWriter::encoder() const { return av_ && av_->codec ? av_->codec->codec->name : ""; }

bool MovieWriter::Fail(const std::string& what, int code) {
  error_ = what + (code < 0 ? ": " + AvError(code) : std::string());
  Close();
  return false;
}

void MovieWriter::Close() { av_.reset(); }

bool MovieWriter::Open(const std::string& path, int width, int height) {
  if (isOpen()) Finish();
  path_ = path;
  error_.clear();
  frames_ = 0;
  // The encoders' statistics and notes are not the user's business; errors
  // reach the user through error().
  av_log_set_level(AV_LOG_QUIET);
  if (!KnownExtension(path)) return Fail("a movie is an .mp4 or a .webm file: " + path, 0);
  if (width < 2 || height < 2 || width % 2 || height % 2) return Fail("a movie's frame needs an even size", 0);
  const bool webm = EndsWith(Lower(path), ".webm");
  // The first encoder of the list that libavcodec has.
  const char* const mp4Encoders[] = {"libx264", "libopenh264", "mpeg4"};
  const char* const webmEncoders[] = {"libvpx-vp9", "libvpx"};
  const AVCodec* codec = nullptr;
  for (const char* name : webm ? std::vector<const char*>(std::begin(webmEncoders), std::end(webmEncoders))
                               : std::vector<const char*>(std::begin(mp4Encoders), std::end(mp4Encoders)))
    if ((codec = avcodec_find_encoder_by_name(name))) break;
  if (!codec) return Fail(std::string("this FFmpeg has no encoder for ") + (webm ? "WebM" : "MP4"), 0);

  av_ = std::make_unique<Av>();
  Av& a = *av_;
  a.width = width;
  a.height = height;
  int rc = avformat_alloc_output_context2(&a.format, nullptr, webm ? "webm" : "mp4", path.c_str());
  if (rc < 0 || !a.format) return Fail("cannot make a movie of " + path, rc);
  a.stream = avformat_new_stream(a.format, nullptr);
  a.codec = avcodec_alloc_context3(codec);
  a.frame = av_frame_alloc();
  a.packet = av_packet_alloc();
  if (!a.stream || !a.codec || !a.frame || !a.packet) return Fail("out of memory for the movie", 0);
  a.codec->width = width;
  a.codec->height = height;
  a.codec->time_base = AVRational{1, kFramesPerSecond};
  a.codec->framerate = AVRational{kFramesPerSecond, 1};
  a.codec->pix_fmt = AV_PIX_FMT_YUV420P;
  a.codec->gop_size = 2 * kFramesPerSecond;
  // Frames in order, no reordering delay: every frame written is one a
  // player shows (with B-frames a short MP4's edit list can hide one).
  a.codec->max_b_frames = 0;
  if (std::string(codec->name) == "libx264") {
    av_opt_set(a.codec->priv_data, "preset", "veryfast", 0);
    av_opt_set(a.codec->priv_data, "crf", "20", 0);
  } else if (std::string(codec->name).rfind("libvpx", 0) == 0) {
    av_opt_set(a.codec->priv_data, "deadline", "realtime", 0);
    av_opt_set(a.codec->priv_data, "cpu-used", "8", 0);
    a.codec->bit_rate = 2'000'000;
  } else {
    a.codec->bit_rate = 4'000'000;
  }
  if (a.format->oformat->flags & AVFMT_GLOBALHEADER) a.codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  if ((rc = avcodec_open2(a.codec, codec, nullptr)) < 0) return Fail("cannot start the movie's encoder", rc);
  if ((rc = avcodec_parameters_from_context(a.stream->codecpar, a.codec)) < 0)
    return Fail("cannot start the movie's encoder", rc);
  a.stream->time_base = a.codec->time_base;

  a.frame->format = a.codec->pix_fmt;
  a.frame->width = width;
  a.frame->height = height;
  if ((rc = av_frame_get_buffer(a.frame, 0)) < 0) return Fail("out of memory for the movie", rc);
  // The canvas's 0xFFRRGGBB words are AV_PIX_FMT_RGB32 (native-endian ARGB).
  a.scale = sws_getContext(width, height, AV_PIX_FMT_RGB32, width, height, AV_PIX_FMT_YUV420P, SWS_POINT, nullptr,
                           nullptr, nullptr);
  if (!a.scale) return Fail("cannot convert the pictures for the movie", 0);

  if ((rc = avio_open(&a.format->pb, path.c_str(), AVIO_FLAG_WRITE)) < 0) return Fail("cannot write " + path, rc);
  if ((rc = avformat_write_header(a.format, nullptr)) < 0) return Fail("cannot write " + path, rc);
  a.headerWritten = true;
  return true;
}

bool MovieWriter::Drain(bool flush) {
  Av& a = *av_;
  for (;;) {
    const int rc = avcodec_receive_packet(a.codec, a.packet);
    if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
    if (rc < 0) return Fail("the movie's encoder failed", rc);
    // Each frame lasts one frame's time; without a duration the MP4 muxer's
    // edit list may end before the last frame.
    if (a.packet->duration <= 0) a.packet->duration = 1;
    av_packet_rescale_ts(a.packet, a.codec->time_base, a.stream->time_base);
    a.packet->stream_index = a.stream->index;
    const int w = av_interleaved_write_frame(a.format, a.packet);
    av_packet_unref(a.packet);
    if (w < 0 || (a.format->pb && a.format->pb->error < 0)) {
      const int code = w < 0 ? w : a.format->pb->error;
      if (flush) return Fail("cannot write " + path_, code);
      // The file is closed as far as it got, so the frames written stay playable.
      error_ = "cannot write " + path_ + ": " + AvError(code);
      const std::string why = error_;
      av_write_trailer(a.format);
      Close();
      error_ = why;
      return false;
    }
  }
}

bool MovieWriter::AddFrame(const uint32_t* pixels) {
  if (!isOpen()) return false;
  Av& a = *av_;
  int rc = av_frame_make_writable(a.frame);
  if (rc < 0) return Fail("out of memory for the movie", rc);
  const uint8_t* src[1] = {reinterpret_cast<const uint8_t*>(pixels)};
  const int stride[1] = {a.width * 4};
  sws_scale(a.scale, src, stride, 0, a.height, a.frame->data, a.frame->linesize);
  a.frame->pts = frames_;
  if ((rc = avcodec_send_frame(a.codec, a.frame)) < 0) return Fail("the movie's encoder failed", rc);
  ++frames_;
  return Drain(false);
}

bool MovieWriter::Finish() {
  if (!isOpen()) return error_.empty();
  Av& a = *av_;
  int rc = avcodec_send_frame(a.codec, nullptr);
  if (rc < 0 && rc != AVERROR_EOF) return Fail("the movie's encoder failed", rc);
  if (!Drain(true)) return false;
  if ((rc = av_write_trailer(a.format)) < 0) return Fail("cannot write " + path_, rc);
  if (a.format->pb) {
    avio_flush(a.format->pb);
    if (a.format->pb->error < 0) return Fail("cannot write " + path_, a.format->pb->error);
  }
  Close();
  return true;
}

}  // namespace antraid
