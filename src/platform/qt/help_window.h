// The help window frmHelpScreen: a read-only view of the help document.
// Qt reads no rich-text-format files, so the document comes from the
// program's own reader and is rendered here as styled runs. A Close button in
// the margin below the viewer and Escape close it.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "rtf/rtf_reader.h"

class QCloseEvent;
class QPushButton;
class QResizeEvent;
class QTextDocument;
class QTextEdit;

namespace antraid {

// Replaces the content of out by the paragraphs and runs of doc.
void RenderRtf(const RtfDocument& doc, QTextDocument& out);

class HelpWindow : public QWidget {
 public:
  static constexpr int kInnerWidth = 612;   // px, 9180 twips
  static constexpr int kInnerHeight = 595;  // px, 8925 twips
  static constexpr int kViewerLeft = 8;     // px, 120 twips
  static constexpr int kViewerTop = 8;      // px
  static constexpr double kWidthAllowance = 200.0 / 15;   // px
  static constexpr double kHeightAllowance = 500.0 / 15;  // px

  // closed runs whenever the user (or the program) closes the window.
  explicit HelpWindow(std::function<void()> closed);

  // Shows the RTF file at path; a file that cannot be read shows a short
  // message instead.
  void Load(const std::string& path);
  QTextEdit* viewer() const { return viewer_; }
  QPushButton* closeButton() const { return close_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QTextEdit* viewer_;
  QPushButton* close_;
  std::function<void()> closed_;
};

}  // namespace antraid
