// The desktop program: one main window; closing it ends the program.
#include <QApplication>

#include "platform/qt/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  antraid::WindowProgram program;
  program.form.Form_Load();
  program.window.SyncAll();
  program.window.show();
  return QApplication::exec();
}
