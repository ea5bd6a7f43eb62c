// SPDX-License-Identifier: MIT
#include "cli/link_commands.h"

#include <ostream>

#include "camera/address_search.h"
#include "camera/load_defaults.h"
#include "camera/message_format.h"
#include "cli/exit_codes.h"
#include "cli/settings_commands.h"
#include "profiles/setting_catalog.h"

namespace torvix {

int RunScan(CliSession& session) {
  // Unlike the window, a scan stops at the board's first failure instead of probing on: on a
  // board that takes requests and never answers, that is one reply deadline rather than 127.
  const AddressSearchResult search = SearchCameraAddress(session.link, OnBoardFailure::kStop);
  // The board's or the lock's words have been said already; "No Camera detected" would blame
  // the camera.
  if (search.end == ProbeOutcome::kBoardFailed || search.end == ProbeOutcome::kCameraHeld) {
    return kExitFailed;
  }
  if (search.end == ProbeOutcome::kNotAnswered) {
    ShortMessage text;
    FormatShortMessage(text, "No Camera detected");
    session.host.Show(text, kMessageOk);
    return kExitFailed;
  }
  session.console.out << HexByte(search.address) << '\n';
  return kExitDone;
}

int RunReset(CliSession& session) {
  ShortMessage question;
  FormatShortMessage(question, "Are you sure to load the Default settings");
  if (session.host.Show(question, kMessageOkCancelExclamation) != kAnswerOk) {
    session.console.err << "Aborting on user request.\n";
    return kExitFailed;
  }
  if (LoadCameraDefaults(session.link) != 0) return kExitFailed;
  return RunSettings(session, false);
}

}  // namespace torvix
