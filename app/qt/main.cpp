// Torvix_Controller: the main dialog on a screen. The program reads no arguments and no
// settings of its own; the bridge library picks the adapter (QUORLINK_DEVICE).
#include <QApplication>

#include "app/application.h"
#include "app/qt/artwork.h"
#include "app/qt/qt_message_host.h"
#include "app/qt/qt_modal_host.h"
#include "app/qt/qt_progress_host.h"
#include "app/qt/qt_save_dialog_host.h"
#include "camera/quorlink_bridge_api.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(torvix::kApplicationName));
  QApplication::setDesktopFileName(QStringLiteral("torvix-controller"));
  QApplication::setWindowIcon(torvix::ProgramIcon());
  // The program ends when its dialog does, not when a window closes in between.
  QApplication::setQuitOnLastWindowClosed(false);

  torvix::QtModalHost windows;
  torvix::QtMessageHost messages(&windows);
  torvix::QtSaveDialogHost saveDialogs(&windows);
  const torvix::ScopedSaveDialogHost scopedSaveDialogs(saveDialogs);
  torvix::QtProgressHost progress(&windows);
  const torvix::ScopedProgressHost scopedProgress(progress);
  torvix::QuorlinkBridgeApi bridge;
  return torvix::RunTorvixController(bridge, messages, windows);
}
