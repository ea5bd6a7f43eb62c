// SPDX-License-Identifier: MIT
// Draws the main dialog, filled from the virtual camera, into a PNG:
//   torvix_qt_screenshot OUT.png
// It runs the real start-up (QUORLINK_DEVICE=sim unless set otherwise) and ends the dialog
// once it has drawn it.
#include <QApplication>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>

#include "app/application.h"
#include "app/qt/dialog_view.h"
#include "app/qt/qt_message_host.h"
#include "app/qt/qt_modal_host.h"
#include "camera/quorlink_bridge_api.h"

namespace {

class ScreenshotHost final : public torvix::QtModalHost {
 public:
  explicit ScreenshotHost(QString path) : path_(std::move(path)) {}
  bool saved = false;

 protected:
  void Opened(torvix::DialogView& view) override {
    QApplication::processEvents();
    saved = view.grab().save(path_, "PNG");
    view.Window().UserEscape();
  }

 private:
  QString path_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: torvix_qt_screenshot OUT.png\n");
    return 2;
  }
  setenv("QUORLINK_DEVICE", "sim", 0);
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  ScreenshotHost windows(QString::fromLocal8Bit(argv[1]));
  torvix::QtMessageHost messages(&windows);
  torvix::QuorlinkBridgeApi bridge;
  torvix::RunTorvixController(bridge, messages, windows);
  if (!windows.saved) {
    std::fprintf(stderr, "torvix_qt_screenshot: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
