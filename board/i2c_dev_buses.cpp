// SPDX-License-Identifier: MIT
#include "board/i2c_dev_buses.h"

#include <linux/i2c-dev.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "board/i2c_adapter_driver.h"
#include "messages/printable_text.h"

namespace torvix {

namespace {

constexpr std::string_view kBusPrefix = "i2c-";
// Why a bus that i2c-dev would have is not there.
constexpr const char* kNotThere = "its adapter is gone or not plugged in";

bool AllDigits(std::string_view text) {
  return !text.empty() && text.size() < 6 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

std::string FirstLine(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  while (!line.empty() && std::isspace(static_cast<unsigned char>(line.back())) != 0) {
    line.pop_back();
  }
  return line;
}

std::string DevicePath(int number) { return "/dev/i2c-" + std::to_string(number); }

std::string Named(const I2cDevBus& bus) {
  return "i2c-" + std::to_string(bus.number) + " (" + Printable(bus.name) + ")";
}

// A name given in full picks its adapter even where it is part of another's ("... on hidraw1"
// and "... on hidraw10"); only a part of a name looks for the names that contain it.
std::vector<const I2cDevBus*> NamedLike(std::string_view spec,
                                        const std::vector<I2cDevBus>& buses) {
  std::vector<const I2cDevBus*> exact;
  std::vector<const I2cDevBus*> partial;
  const std::string wanted = Lower(spec);
  for (const I2cDevBus& bus : buses) {
    const std::string name = Lower(bus.name);
    if (name == wanted) exact.push_back(&bus);
    if (name.find(wanted) != std::string::npos) partial.push_back(&bus);
  }
  return exact.empty() ? partial : exact;
}

std::string ChooseByName(std::string_view spec, const std::vector<I2cDevBus>& buses,
                         bool i2cDevLoaded, I2cBusChoice& choice) {
  const std::vector<const I2cDevBus*> matches = NamedLike(spec, buses);
  const std::string quoted = "'" + Printable(spec) + "'";
  choice.missing = matches.empty();
  if (matches.empty()) {
    if (buses.empty() && !i2cDevLoaded) {
      return "no i2c bus named like " + quoted +
             ": there are no i2c buses (is the i2c-dev module loaded?)";
    }
    return "no i2c bus named like " + quoted + " (" + kNotThere + "; torvix buses lists them)";
  }
  if (matches.size() > 1) {
    std::string names;
    for (std::size_t i = 0; i < matches.size(); ++i) {
      names += (i == 0 ? "" : i + 1 == matches.size() ? " and " : ", ") + Named(*matches[i]);
    }
    return "more than one i2c bus is named like " + quoted + ": " + names +
           "; give the bus as i2c:/dev/i2c-N";
  }
  choice.path = matches.front()->path;
  return {};
}

}  // namespace

std::vector<I2cDevBus> ListI2cDevBuses(const std::filesystem::path& sysRoot) {
  std::vector<I2cDevBus> buses;
  std::error_code error;
  for (std::filesystem::directory_iterator it(sysRoot / "class" / "i2c-dev", error), end;
       !error && it != end; it.increment(error)) {
    const std::string entry = it->path().filename().string();
    if (entry.rfind(kBusPrefix, 0) != 0 || !AllDigits(entry.substr(kBusPrefix.size()))) continue;
    const int number = std::stoi(entry.substr(kBusPrefix.size()));
    buses.push_back({number, FirstLine(it->path() / "name"), DevicePath(number)});
  }
  std::sort(buses.begin(), buses.end(),
            [](const I2cDevBus& a, const I2cDevBus& b) { return a.number < b.number; });
  return buses;
}

bool I2cDevLoaded(const std::filesystem::path& sysRoot) {
  std::error_code error;
  return std::filesystem::is_directory(sysRoot / "class" / "i2c-dev", error);
}

I2cBusChoice ChooseI2cBus(std::string_view spec, const std::vector<I2cDevBus>& buses,
                          bool i2cDevLoaded) {
  I2cBusChoice choice;
  if (spec.empty()) {
    choice.problem = "no i2c bus named";
  } else if (spec.front() == '/') {
    choice.path = std::string(spec);
  } else if (AllDigits(spec)) {
    choice.path = DevicePath(std::stoi(std::string(spec)));
  } else {
    choice.problem = ChooseByName(spec, buses, i2cDevLoaded, choice);
  }
  return choice;
}

bool I2cAdapterMissing(int openError) {
  return openError == ENOENT || openError == ENODEV || openError == ENXIO;
}

std::string DescribeI2cOpenError(const std::string& path, int error, bool i2cDevLoaded) {
  if (I2cAdapterMissing(error)) {
    return "no such i2c bus " + path + " (" +
           (i2cDevLoaded ? kNotThere : "is the i2c-dev module loaded? sudo modprobe i2c-dev") +
           "; torvix buses lists the buses)";
  }
  switch (error) {
    case EAGAIN:
      return "the adapter of " + path +
             " is still starting: its driver has not finished setting it up, which takes up to "
             "half a minute after it is plugged in; try again in a few seconds";
    case EACCES:
    case EPERM:
      return "no permission to open " + path +
             " (join the i2c group and log in again; see docs/hardware.md)";
    case ENOTTY:
    case EINVAL: return path + " is not an i2c-dev bus";
    default: return "cannot open " + path + ": " + std::strerror(error);
  }
}

I2cBusChoice FindI2cBus(std::string_view spec, const I2cKernel& kernel) {
  // The adapters' names are read only when the setting names one.
  const bool byName = !spec.empty() && spec.front() != '/' && !AllDigits(spec);
  if (!byName) return ChooseI2cBus(spec, {});
  return ChooseI2cBus(spec, ListI2cDevBuses(kernel.SysRoot()), I2cDevLoaded(kernel.SysRoot()));
}

int OpenI2cDevice(const std::string& path, I2cKernel& kernel, int& fd, unsigned long& functions) {
  int error = kernel.Open(path, fd);
  if (error != 0) return error;
  error = kernel.Ioctl(fd, I2C_FUNCS, &functions);
  // An adapter that can do nothing at all has not answered: i2c-tiny-usb asks the device at
  // every I2C_FUNCS and reports no function once it is unplugged.
  if (error == 0 && functions == 0) error = ENODEV;
  // Every transfer would time out until it has started.
  if (error == 0 && FindI2cAdapterDriver(kernel.SysRoot(), path).starting) error = EAGAIN;
  if (error != 0) kernel.Close(fd);
  return error;
}

I2cDeviceOpening OpenNamedI2cDevice(std::string_view spec, I2cKernel& kernel) {
  I2cDeviceOpening opening;
  const I2cBusChoice choice = FindI2cBus(spec, kernel);
  if (!choice.problem.empty()) {
    opening.problem = choice.problem;
    return opening;
  }
  opening.path = choice.path;
  const int error = OpenI2cDevice(choice.path, kernel, opening.fd, opening.functions);
  if (error != 0) {
    opening.problem = DescribeI2cOpenError(choice.path, error, I2cDevLoaded(kernel.SysRoot()));
  }
  return opening;
}

I2cBusLook LookAtI2cBus(std::string_view spec, I2cKernel& kernel) {
  I2cBusLook look;
  const I2cBusChoice choice = FindI2cBus(spec, kernel);
  look.path = choice.path;
  if (choice.missing) look.state = I2cBusState::kGone;
  if (choice.path.empty()) return look;
  int fd = -1;
  unsigned long functions = 0;
  const int error = OpenI2cDevice(choice.path, kernel, fd, functions);
  if (I2cAdapterMissing(error)) look.state = I2cBusState::kGone;
  if (error != 0) return look;
  if (kernel.Lock(fd, true) == EWOULDBLOCK) {
    look.state = I2cBusState::kLockHeld;
  } else {
    kernel.Lock(fd, false);
  }
  kernel.Close(fd);
  return look;
}

}  // namespace torvix
