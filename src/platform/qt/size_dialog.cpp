#include "platform/qt/size_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

namespace antraid {

std::optional<QSize> AskPictureSize(QWidget* parent, const QString& title, QSize offered) {
  QDialog dialog(parent);
  dialog.setWindowTitle(title);
  auto* form = new QFormLayout(&dialog);
  auto side = [&](const char* name, int value) {
    auto* box = new QSpinBox(&dialog);
    box->setObjectName(name);
    box->setRange(kLeastPicturePx, kMostPicturePx);
    box->setSuffix(" px");
    box->setValue(value);
    return box;
  };
  QSpinBox* width = side("pictureWidth", offered.width());
  QSpinBox* height = side("pictureHeight", offered.height());
  form->addRow("Width:", width);
  form->addRow("Height:", height);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  form->addRow(buttons);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return QSize(width->value(), height->value());
}

}  // namespace antraid
