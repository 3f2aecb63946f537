// Quarvel on a Qt desktop.
#include <QApplication>
#include <QFont>
#include <cstdio>

#include "core/program.h"
#include "host/qt/display_check.h"
#include "host/qt/qt_host.h"

int main(int argc, char* argv[]) {
  // Without a display Qt would abort with a message about platform plugins.
  if (const std::string reason = quarvel::MissingDisplayReason(); !reason.empty()) {
    std::fprintf(stderr, "%s\n", reason.c_str());
    return 1;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quarvel"));
  // Closing the main window only hides it; the program ends from its tray menu.
  QApplication::setQuitOnLastWindowClosed(false);
  QFont font(QStringLiteral("WenQuanYi Micro Hei"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(12);
  QApplication::setFont(font);

  int exitCode = 0;
  {
    // The program and its windows go before the application object does.
    quarvel::QtHost host;
    QApplication::setWindowIcon(quarvel::QtHost::ProgramIcon());
    quarvel::Program program(host);
    exitCode = program.Run();
  }
  return exitCode;
}
