#include "platform/qt/help_window.h"

#include <QCloseEvent>
#include <QColor>
#include <QFont>
#include <QKeySequence>
#include <QPalette>
#include <QPushButton>
#include <QShortcut>
#include <QResizeEvent>
#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>
#include <cmath>
#include <utility>

namespace antraid {

void RenderRtf(const RtfDocument& doc, QTextDocument& out) {
  out.clear();
  QTextCursor cursor(&out);
  bool first = true;
  for (const RtfParagraph& para : doc.paragraphs) {
    if (!first) cursor.insertBlock();
    first = false;
    for (const RtfRun& run : para.runs) {
      QTextCharFormat f;
      f.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
      f.setFontItalic(run.italic);
      f.setFontUnderline(run.underline);
      if (run.font_size > 0) f.setFontPointSize(run.font_size);
      if (run.color) f.setForeground(QColor::fromRgb(static_cast<QRgb>(*run.color)));
      cursor.insertText(QString::fromStdString(run.text), f);
    }
  }
}

HelpWindow::HelpWindow(std::function<void()> closed)
    : viewer_(new QTextEdit(this)), close_(new QPushButton("Close", this)), closed_(std::move(closed)) {
  setObjectName("frmHelpScreen");
  setWindowTitle("Model Information");
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(pal);
  setAutoFillBackground(true);
  viewer_->setObjectName("rtxHelp");
  viewer_->setReadOnly(true);
  viewer_->move(kViewerLeft, kViewerTop);
  // A way out for those who do not look for the title bar's cross: a Close
  // button in the margin below the viewer, and Escape.
  close_->setObjectName("cmdCloseHelp");
  close_->setFocusPolicy(Qt::TabFocus);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  escape->setContext(Qt::WindowShortcut);
  connect(escape, &QShortcut::activated, this, &QWidget::close);
  resize(kInnerWidth, kInnerHeight);
}

void HelpWindow::Load(const std::string& path) {
  std::string error;
  if (auto doc = LoadRtfFile(path, &error)) {
    RenderRtf(*doc, *viewer_->document());
  } else {
    viewer_->setPlainText(QString::fromStdString("The model information cannot be shown: " + error));
  }
  viewer_->moveCursor(QTextCursor::Start);
}

void HelpWindow::resizeEvent(QResizeEvent* event) {
  // The viewer keeps its place and leaves the margins of the window's frame;
  // a window smaller than the margins leaves it at zero size.
  const QSize s = event->size();
  const int w = std::max(0, static_cast<int>(std::lround(s.width() - kWidthAllowance)));
  const int h = std::max(0, static_cast<int>(std::lround(s.height() - kHeightAllowance)));
  viewer_->resize(w, h);
  // The button sits in the margin below the viewer, at its right end, and
  // never covers it.
  const int below = std::max(0, s.height() - (kViewerTop + h) - 2);
  const int bw = close_->sizeHint().width();
  close_->setGeometry(std::max(0, s.width() - bw - kViewerLeft), kViewerTop + h + 1, bw,
                      std::min(below, close_->sizeHint().height()));
}

void HelpWindow::closeEvent(QCloseEvent* event) {
  event->accept();
  if (closed_) closed_();
}

}  // namespace antraid
