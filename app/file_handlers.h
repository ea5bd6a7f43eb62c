// SPDX-License-Identifier: MIT
// What the two file buttons ask the save dialog: the DSP settings file is offered as
// "Text Files(*.txt)" with the default extension "txt", the EEPROM dump as
// "Text Files(*.vis)" with "vis"; both with "All Files (*.*)" second, the first filter
// selected, and confirmation before overwriting and before creating.
#pragma once

#include "window/save_dialog_host.h"

namespace torvix {

SaveDialogRequest DspSettingsSaveRequest();
SaveDialogRequest EepromDumpSaveRequest();
// A profile, saved or opened: "Profiles (*.json)" first, then all files; "json" appended to a
// name without extension; the user is asked before an existing file is replaced.
SaveDialogRequest ProfileFileRequest();

}  // namespace torvix
