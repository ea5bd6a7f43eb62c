// SPDX-License-Identifier: MIT
// Torvix_Controller: the main dialog on a screen. The program reads no settings of its own and
// no arguments beyond --help and --version; the bridge library picks the adapter
// (QUORLINK_DEVICE).
#include <QApplication>
#include <iostream>

#include "app/application.h"
#include "app/program_options.h"
#include "app/qt/artwork.h"
#include "app/qt/qt_message_host.h"
#include "app/qt/qt_modal_host.h"
#include "app/qt/qt_progress_host.h"
#include "app/qt/qt_save_dialog_host.h"
#include "bridge/devices/device_words.h"
#include "camera/device_camera_lock.h"
#include "camera/quorlink_bridge_api.h"
#include "program/standard_output.h"

int main(int argc, char** argv) {
  torvix::FailWritesToClosedPipes();
  // Before QApplication: the answer needs no display.
  if (const std::optional<int> refused = torvix::TakeDeviceOption(argc, argv, std::cerr)) {
    return *refused;
  }
  if (const std::optional<int> answered =
          torvix::AnswerProgramOptions(argc, argv, torvix::DeviceSettingInWords(), std::cout)) {
    return torvix::CloseStandardOutput(*answered, "Torvix_Controller: ");
  }
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
  // Other programs on the same camera wait for each of our register accesses, and we for theirs.
  torvix::DeviceCameraLock cameraLock;
  const torvix::ScopedCameraLock scopedCameraLock(cameraLock);
  torvix::QuorlinkBridgeApi bridge;
  return torvix::RunTorvixController(bridge, messages, windows);
}
