// The numbered bitmap series of the canvas.
#include "app/main_form.h"

namespace antraid {

void MainForm::chkSaveImages_Click() {
  if (saveFilePath.empty() || imageName.empty()) {  // 1
    host.Beep();
    Message("Please fill in a File Name and Directory");
    panel.chkSaveImages.SetValue(0);
    // The box now reads unchecked, so no frame may follow, also when this
    // click was meant to switch saving off.
    saveImages = false;
    return;
  }
  Message("");  // 2
  if (panel.chkSaveImages.checked()) {
    saveImages = true;
    MakeFolder(saveFilePath);
  } else {
    saveImages = false;
  }
}

bool MainForm::MakeFolder(const std::string& pathToCreate) { return EnsurePathExists(pathToCreate); }

bool MainForm::EnsurePathExists(const std::string& path) {
  std::string p = path;
  if (p.empty() || p.back() != '\\') p += '\\';
  return host.MakeSureDirectoryPathExists(p);
}

void MainForm::SaveFrame() {
  // a: the caption keeps the width of the last measuring step.
  {
    const double shown = RoundHalfEven(lastSwarmWidth);
    panel.txtSwarmWidth.SetText(FormatInt(static_cast<long long>(shown)) + " cm");
  }
  // b: folder, base name, number and ".bmp", joined as they stand.
  const std::string name = saveFilePath + imageName + FormatSingle(frameNumber) + ".bmp";
  std::string problem;
  if (saveFilePath.empty())
    problem = "the file path is empty";
  else if (imageName.find_first_of("/\\") != std::string::npos || imageName.find('\0') != std::string::npos)
    problem = "the base filename may not contain a folder separator";
  else if (!pctWorld.SavePicture(NativePath(name)))
    problem = "the file could not be written";
  if (!problem.empty()) {
    // The run goes on without the series.
    saveImages = false;
    panel.chkSaveImages.SetValue(0);
    std::string shown = name.size() > 200 ? name.substr(0, 200) + "..." : name;
    Message("Image saving switched off: " + problem + " (" + shown + ")");
    return;
  }
  Message(FormatSingle(modelTime));  // c
  host.DoEvents();                   // d
  if (unloaded) return;
  frameNumber = frameNumber + 1;     // e
}

}  // namespace antraid
