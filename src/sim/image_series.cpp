// The numbered bitmap series of the canvas.
#include "sim/main_form.h"

namespace antraid {

void MainForm::chkSaveImages_Click() {
  if (params.saveFilePath.empty() || params.imageName.empty()) {
    host.Beep();
    Message("Please fill in a File Name and Directory");
    panel.chkSaveImages.SetValue(0);
    // The box now reads unchecked, so no frame may follow, also when this
    // click was meant to switch saving off.
    params.saveImages = false;
    return;
  }
  Message("");
  // Checking the box creates the folder; whether that worked shows only when
  // a frame is written.
  if (panel.chkSaveImages.checked()) {
    params.saveImages = true;
    MakeFolder(params.saveFilePath);
  } else {
    params.saveImages = false;
  }
}

bool MainForm::MakeFolder(const std::string& pathToCreate) { return EnsurePathExists(pathToCreate); }

bool MainForm::EnsurePathExists(const std::string& path) {
  std::string p = path;
  if (p.empty() || p.back() != '\\') p += '\\';
  return host.MakeSureDirectoryPathExists(p);
}

namespace {
// Frames stop before they could fill a disk: the frames' file system must
// keep 1 GiB free, and room for 100 more frames. A frame is a 24-bit bitmap:
// its header and rows padded to 4 bytes.
constexpr uint64_t kMinFreeBytes = uint64_t{1} << 30;
constexpr uint64_t kFrameBytes = 54 + ((3 * kCanvasPixels + 3) / 4 * 4) * uint64_t{kCanvasPixels};
static_assert(100 * kFrameBytes <= kMinFreeBytes, "1 GiB holds 100 frames: one figure covers both limits");

// Why the frame at path may not be written, or nothing; a system that
// cannot tell its free space leaves it to the write.
std::optional<std::string> DiskNearlyFull(Host& host, const std::string& path) {
  const std::optional<uint64_t> free = host.FreeSpace(path);
  if (!free || *free >= kMinFreeBytes) return std::nullopt;
  const std::string folder = path.substr(0, path.find_last_of('/') + 1);
  return "less than 1 GiB free on " + (folder.empty() ? std::string("the current folder's disk") : folder);
}
}  // namespace

void MainForm::SaveFrame() {
  // The swarm caption shows the width of the last measuring step: the
  // current width is always 0 by the time a frame is saved.
  {
    const double shown = RoundHalfEven(readouts.lastSwarmWidth);
    panel.txtSwarmWidth.SetText(FormatInt(static_cast<long long>(shown)) + " cm");
  }
  // Folder, base name, number and ".bmp", joined as they stand: a folder
  // typed without a separator puts the frames beside it.
  const std::string name = params.saveFilePath + params.imageName + FormatSingle(run.frameNumber) + ".bmp";
  std::string problem;
  if (params.saveFilePath.empty())
    problem = "the file path is empty";
  else if (params.imageName.find_first_of("/\\") != std::string::npos ||
           params.imageName.find('\0') != std::string::npos)
    problem = "the base filename may not contain a folder separator";
  else if (auto full = DiskNearlyFull(host, NativePath(name)))
    problem = *full;
  else if (!pctWorld.SavePicture(NativePath(name)))
    problem = "the file could not be written";
  if (!problem.empty()) {
    // The run goes on without the series.
    params.saveImages = false;
    panel.chkSaveImages.SetValue(0);
    constexpr size_t kShownChars = 200;  // of a long file name, in the message
    std::string shown = name.size() > kShownChars ? name.substr(0, kShownChars) + "..." : name;
    Message("Image saving switched off: " + problem + " (" + shown + ")");
    return;
  }
  // Handlers may run after each frame, before its number is counted: they
  // see the whole step, and a nested run steps before the count goes up.
  NotifyFrameSaved(NativePath(name));
  Message(FormatSingle(run.modelTime));
  host.DoEvents();
  if (unloaded) return;
  run.frameNumber = run.frameNumber + 1;
}

}  // namespace antraid
