#include "board/i2c_dev_buses.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace torvix {

namespace {

constexpr std::string_view kBusPrefix = "i2c-";

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
  return "i2c-" + std::to_string(bus.number) + " (" + bus.name + ")";
}

std::string ChooseByName(std::string_view spec, const std::vector<I2cDevBus>& buses,
                         std::string& path) {
  std::vector<const I2cDevBus*> matches;
  for (const I2cDevBus& bus : buses) {
    if (Lower(bus.name).find(Lower(spec)) != std::string::npos) matches.push_back(&bus);
  }
  const std::string quoted = "'" + std::string(spec) + "'";
  if (matches.empty()) {
    if (buses.empty()) {
      return "no i2c bus named like " + quoted +
             ": there are no i2c buses (is the i2c-dev module loaded?)";
    }
    return "no i2c bus named like " + quoted + " (torvix buses lists them)";
  }
  if (matches.size() > 1) {
    std::string names;
    for (std::size_t i = 0; i < matches.size(); ++i) {
      names += (i == 0 ? "" : i + 1 == matches.size() ? " and " : ", ") + Named(*matches[i]);
    }
    return "more than one i2c bus is named like " + quoted + ": " + names +
           "; give the bus as i2c:/dev/i2c-N";
  }
  path = matches.front()->path;
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

I2cBusChoice ChooseI2cBus(std::string_view spec, const std::vector<I2cDevBus>& buses) {
  I2cBusChoice choice;
  if (spec.empty()) {
    choice.problem = "i2c: needs a bus: i2c:/dev/i2c-N, i2c:N or i2c:NAME";
  } else if (spec.front() == '/') {
    choice.path = std::string(spec);
  } else if (AllDigits(spec)) {
    choice.path = DevicePath(std::stoi(std::string(spec)));
  } else {
    choice.problem = ChooseByName(spec, buses, choice.path);
  }
  return choice;
}

std::string DescribeI2cOpenError(const std::string& path, int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return "no such i2c bus " + path +
             " (is the i2c-dev module loaded? sudo modprobe i2c-dev; torvix buses lists the buses)";
    case EACCES:
    case EPERM:
      return "no permission to open " + path +
             " (join the i2c group and log in again; see docs/hardware.md)";
    case ENOTTY:
    case EINVAL:
      return path + " is not an i2c-dev bus";
    default:
      return "cannot open " + path + ": " + std::strerror(error);
  }
}

I2cDevOpening OpenI2cDevBus(std::string_view spec, I2cKernel& kernel) {
  I2cDevOpening opening;
  // The adapters' names are read only when the setting names one.
  const bool byName = !spec.empty() && spec.front() != '/' && !AllDigits(spec);
  const I2cBusChoice choice =
      ChooseI2cBus(spec, byName ? ListI2cDevBuses(kernel.SysRoot()) : std::vector<I2cDevBus>{});
  if (!choice.problem.empty()) {
    opening.problem = choice.problem;
    return opening;
  }
  LinuxI2cBusOpening bus = OpenLinuxI2cBus(choice.path, kernel);
  if (bus.error != 0) {
    opening.problem = DescribeI2cOpenError(choice.path, bus.error);
    return opening;
  }
  opening.bus = std::move(bus.bus);
  return opening;
}

}  // namespace torvix
