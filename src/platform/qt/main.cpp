// The desktop program: antraid [--seed N] [--speed STEPS|fastest]
// [--session FILE] [--open-run FILE]. One main window; closing it ends the program.
#include <QApplication>
#include <iostream>
#include <variant>

#include "platform/qt/main_window.h"
#include "platform/qt/raid_controls.h"
#include "platform/qt/window_options.h"

int main(int argc, char** argv) {
  antraid::SplitCommandLine args = antraid::SplitWindowOptions(argc, argv);
  // --help and a wrong value of the window's own options end the program
  // before Qt starts, so that they work without a display too.
  auto read = antraid::ReadWindowOptions(static_cast<int>(args.ours.size()), args.ours.data(), std::cout, std::cerr);
  if (const int* status = std::get_if<int>(&read)) return *status;
  int qtArgc = static_cast<int>(args.rest.size());
  args.rest.push_back(nullptr);
  QApplication app(qtArgc, args.rest.data());  // takes Qt's own options out of the rest
  // Where the window's remembered choices live (QSettings).
  QCoreApplication::setOrganizationName("antraid");
  QCoreApplication::setApplicationName("antraid");
  if (qtArgc > 1) {
    // What Qt left is nobody's: the window's parser names it in its usage error.
    for (int i = 1; i < qtArgc; ++i) args.ours.push_back(args.rest[static_cast<size_t>(i)]);
    read = antraid::ReadWindowOptions(static_cast<int>(args.ours.size()), args.ours.data(), std::cout, std::cerr);
    if (const int* status = std::get_if<int>(&read)) return *status;
  }
  const auto& options = std::get<antraid::WindowOptions>(read);

  antraid::WindowProgram program;
  if (options.seed) program.window.FixSeedAtStart(*options.seed);
  if (options.session) program.window.SetSessionFile(*options.session);
  program.window.SetSpeed(options.speed);
  program.form.Form_Load();
  program.window.SyncAll();
  program.window.show();
  if (options.openRun) program.window.raid().OpenRunLater(QString::fromStdString(*options.openRun));
  return QApplication::exec();
}
