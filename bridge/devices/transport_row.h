// SPDX-License-Identifier: MIT
// One row of the table of transports (transport_table.h), as every room reads it: how the
// device setting names the transport, the systems it exists on, its words, and what it does for
// the rooms above the library (the camera's identity for the camera lock, why it will not open,
// its devices for torvix buses). How it opens is the library's alone (src/adapter_device.cpp).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvix {

struct DeviceSetting;

// The systems a transport exists on (where its code is built): one, or several joined with |
// (Systems::kLinux | Systems::kWindows).
enum class Systems : unsigned { kLinux = 1, kOtherPosix = 2, kWindows = 4, kPosix = 3, kAny = 7 };

constexpr Systems operator|(Systems a, Systems b) {
  return static_cast<Systems>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

constexpr bool Includes(Systems set, Systems member) {
  return (static_cast<unsigned>(set) & static_cast<unsigned>(member)) != 0;
}

#if defined(_WIN32)
inline constexpr Systems kThisSystem = Systems::kWindows;
#elif defined(__linux__)
inline constexpr Systems kThisSystem = Systems::kLinux;
#else
inline constexpr Systems kThisSystem = Systems::kOtherPosix;
#endif

constexpr bool OnThisSystem(Systems systems) { return Includes(systems, kThisSystem); }

// How a setting picks its row: it is the row's setting ("sim"), it starts with it ("i2c:7"),
// or no other row takes it (a socket path).
enum class SettingMatch { kWhole, kPrefix, kAnyOther };

// What holds the camera a device reaches, for the camera lock across programs: path is what is
// locked (empty: only the process's lock), and socket, for a lock file beside a socket, the
// socket whose owner the file must belong to (empty: path is the device's node itself).
struct CameraIdentity {
  std::string path;
  std::string socket;
};

// A row's facts: constants of its transport, the same on every system.
struct TransportFacts {
  std::string_view setting;  // what QUORLINK_DEVICE holds or starts with; "" for kAnyOther
  SettingMatch match = SettingMatch::kWhole;
  bool takesUnset = false;  // what QUORLINK_DEVICE unset or empty opens (one row a system)
  Systems systems = Systems::kAny;
  std::string_view form;         // the setting as the pages write it ("i2c:BUS"); "" for any
  std::string_view kind;         // in torvix --help's list of devices ("a socket path")
  std::string_view use;          // in Torvix_Controller --help ("i2c:BUS for a Linux i2c-dev bus")
  std::string_view unsetDevice;  // for takesUnset: the device opened ("\\.\zembrel-0")
  std::string_view unsetWhat;    // and what it is, when it needs saying ("the adapter's driver")
  std::string_view listed;       // what torvix buses lists of it ("i2c-dev buses")
  std::string_view noneListed;   // its words when it lists none
  std::string_view completion;   // bash that adds its settings to COMPREPLY for the word $cur
};

// A row with its deeds, each nullptr where the transport has none or is not built here.
struct TransportRow : TransportFacts {
  CameraIdentity (*identity)(const DeviceSetting&) = nullptr;
  // Why it will not open, in words (empty: no cause shows): asked before a command runs...
  std::string (*problemBeforeUse)(const DeviceSetting&) = nullptr;
  // ...or after the library failed to open it.
  std::string (*openProblem)(const DeviceSetting&) = nullptr;
  // What the device shows after a run on it failed to open (openFailed) or ended with the
  // bridge's code lastFailure: empty when it shows nothing.
  std::string (*failureProblem)(const DeviceSetting&, bool openFailed,
                                int16_t lastFailure) = nullptr;
  // Its devices, a line each.
  std::vector<std::string> (*list)() = nullptr;
};

}  // namespace torvix
