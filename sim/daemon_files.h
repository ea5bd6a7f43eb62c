// SPDX-License-Identifier: MIT
// The files zembrel-sim makes beside its socket path and removes as it stops: the socket, and
// the camera lock clients take around each register access (SocketLockPath). Each is removed
// only while it is still the file this server made: another server may have the name since.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>

namespace torvix {

using MadeFile = std::pair<dev_t, ino_t>;

// Makes the camera lock at path with exactly mode, whatever the umask, so that whoever may
// connect to the socket may take it and nobody else can touch it. One that a killed server left
// (a regular, empty file of this user) is taken over; anything else there is left alone and
// refused, with the reason in error.
bool MakeCameraLockFile(const std::string& path, mode_t mode, MadeFile& made, std::string& error);

// Removes path when it is still the file made.
void RemoveMadeFile(const std::string& path, const MadeFile& made);

}  // namespace torvix
