// A movie file written frame by frame through FFmpeg's libraries
// (libavformat, libavcodec, libswscale): MP4 with H.264 (libx264; MPEG-4
// part 2 where libavcodec has no H.264 encoder) or WebM with VP9 (VP8 where
// VP9 is missing), chosen by the file's extension. Frames are 0xFFRRGGBB
// pixels, row after row, as the canvas holds them.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace antraid {

class MovieWriter {
 public:
  MovieWriter();
  ~MovieWriter();  // finishes the file when still open
  MovieWriter(const MovieWriter&) = delete;
  MovieWriter& operator=(const MovieWriter&) = delete;

  static constexpr int kFramesPerSecond = 30;

  // Creates the file; width and height even, at least 2. False with error()
  // set when the file cannot be made (unknown extension, no encoder, no
  // such folder, no permission).
  bool Open(const std::string& path, int width, int height);
  bool isOpen() const;
  // Encodes one frame; false with error() set (and the file finished as far
  // as it got) when it cannot be written.
  bool AddFrame(const uint32_t* pixels);
  // Flushes the encoder and writes the container's index: the file is then
  // complete and playable. False with error() set when that write fails.
  bool Finish();

  int frames() const { return frames_; }
  const std::string& path() const { return path_; }
  // What went wrong last, as a sentence for the user.
  const std::string& error() const { return error_; }
  // The encoder in use ("libx264", "mpeg4", "libvpx-vp9" ...).
  std::string encoder() const;

  // ".mp4" or ".webm" (any case): the extensions a movie may have.
  static bool KnownExtension(const std::string& path);

 private:
  struct Av;
  bool Fail(const std::string& what, int code);
  bool Drain(bool flush);
  void Close();

  std::unique_ptr<Av> av_;
  std::string path_;
  std::string error_;
  int frames_ = 0;
};

}  // namespace antraid
