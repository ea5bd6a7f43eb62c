// SPDX-License-Identifier: MIT
#include "app/qt/qt_modal_host.h"

#include <QCoreApplication>
#include <QEventLoop>

#include "app/qt/dialog_view.h"

namespace torvix {

void QtModalHost::RunModal(DialogWindow& window) {
  DialogView view(window, TopWindow());
  QEventLoop loop;
  view.onEnded = [&loop] { loop.quit(); };
  // A session that ends takes the dialog with it: give the window up.
  const QMetaObject::Connection quitting =
      QObject::connect(qApp, &QCoreApplication::aboutToQuit, &loop, &QEventLoop::quit);
  open_.push_back(&view);
  view.Present();
  Opened(view);
  if (!window.Ended()) loop.exec();
  open_.pop_back();
  QObject::disconnect(quitting);
}

QWidget* QtModalHost::TopWindow() const { return open_.empty() ? nullptr : open_.back(); }

}  // namespace torvix
