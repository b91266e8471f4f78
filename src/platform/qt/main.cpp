// The desktop program: antraid [--seed N] [--speed STEPS|fastest]
// [--session FILE]. One main window; closing it ends the program.
#include <QApplication>
#include <iostream>
#include <variant>

#include "platform/qt/main_window.h"
#include "platform/qt/window_options.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);  // takes Qt's own options out of argv
  const auto read = antraid::ReadWindowOptions(argc, argv, std::cout, std::cerr);
  if (const int* status = std::get_if<int>(&read)) return *status;
  const auto& options = std::get<antraid::WindowOptions>(read);

  antraid::WindowProgram program;
  if (options.seed) program.window.FixSeedAtStart(*options.seed);
  if (options.session) program.window.SetSessionFile(*options.session);
  program.window.SetSpeed(options.speed);
  program.form.Form_Load();
  program.window.SyncAll();
  program.window.show();
  return QApplication::exec();
}
