// SPDX-License-Identifier: MIT
// Two builds of torvix run in turn, as a script runs them: each reading command RUNS times per
// build, the builds alternating run by run so that both meet the same load on a shared machine.
// For each command and build it prints the median wall time, that over the pauses the command
// must take ("ratio"), and the median processor time of the process (user + system, from
// wait4), alone and over the wall time ("cpu share" 0.05: 5% of one core).
//
//   torvix_paired_runs OLD_TORVIX NEW_TORVIX [--runs N] [--only TEXT]
//
// --only keeps the commands whose name holds TEXT ("dsp", "sim"). "sim" runs use the in-process
// virtual camera, "socket" runs one zembrel-sim both builds share.
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/file_bytes.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/spawn_program.h"
#include "tests/support/zembrel_process.h"

namespace torvix {
namespace {

struct Command {
  std::string name;
  std::vector<std::string> args;  // after --device; "FILE" is the dump's file
  double floorMs;
};

// A settings row is its request, 2 ms, its read, 1 ms, and 2 ms before the next; a dump's read
// has no 2 ms after it, and the dump reads its first register once more before it starts.
std::vector<Command> Commands() {
  const std::vector<Command> kinds = {{"get", {"get", "-v", "Contrast"}, 5.0},
                                      {"settings", {"settings"}, 29 * 5.0},
                                      {"dump dsp", {"dump", "dsp", "FILE"}, 2049 * 3.0},
                                      {"dump eeprom", {"dump", "eeprom", "FILE"}, 1025 * 3.0}};
  std::vector<Command> commands;
  for (const char* device : {"sim", "socket"}) {
    for (Command command : kinds) {
      command.name += std::string(" (") + device + ")";
      commands.push_back(command);
    }
  }
  return commands;
}

struct Sample {
  double wallMs = 0;
  double cpuMs = 0;
};

double Ms(const timeval& time) {
  return 1000.0 * static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1000.0;
}

// Runs argv to its end; false when it did not exit with 0 (its stderr is then in errFile).
bool RunOnce(const std::vector<std::string>& argv, const std::string& errFile, Sample& sample) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = testing::SpawnProgram(argv, "/dev/null", "/dev/null", errFile);
  int status = 0;
  rusage usage{};
  if (pid <= 0 || ::wait4(pid, &status, 0, &usage) != pid) return false;
  sample.wallMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  sample.cpuMs = Ms(usage.ru_utime) + Ms(usage.ru_stime);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t half = values.size() / 2;
  return values.size() % 2 == 1 ? values[half] : (values[half - 1] + values[half]) / 2;
}

void Print(const Command& command, const char* build, const std::vector<Sample>& samples) {
  std::vector<double> wall;
  std::vector<double> cpu;
  for (const Sample& sample : samples) {
    wall.push_back(sample.wallMs);
    cpu.push_back(sample.cpuMs);
  }
  const double wallMs = Median(wall);
  std::printf("%-22s %-4s %10.1f %8.4f %9.1f %9.4f\n", command.name.c_str(), build, wallMs,
              wallMs / command.floorMs, Median(cpu), Median(cpu) / wallMs);
}

int Usage() {
  std::fprintf(stderr,
               "usage: torvix_paired_runs OLD_TORVIX NEW_TORVIX [--runs N] [--only TEXT]\n");
  return 2;
}

}  // namespace
}  // namespace torvix

int main(int argc, char** argv) {
  using namespace torvix;
  if (argc < 3) return Usage();
  const std::string builds[2] = {argv[1], argv[2]};
  int runs = 5;
  std::string only;
  for (int i = 3; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    else if (std::strcmp(argv[i], "--only") == 0) only = argv[i + 1];
    else return Usage();
  }
  const testing::ScratchFolder scratch;
  testing::ZembrelProcess daemon(ZEMBREL_SIM_PATH);
  if (!daemon.Start()) {
    std::fprintf(stderr, "zembrel-sim did not start\n");
    return 1;
  }
  const std::string errFile = (scratch / "stderr.txt").string();
  std::printf("%-22s %-4s %10s %8s %9s %9s\n", "command", "", "wall ms", "ratio", "cpu ms",
              "cpu share");
  for (const Command& command : Commands()) {
    if (command.name.find(only) == std::string::npos) continue;
    const bool sim = command.name.find("(sim)") != std::string::npos;
    std::vector<Sample> samples[2];
    for (int run = 0; run < runs; ++run) {
      for (int build = 0; build < 2; ++build) {
        std::vector<std::string> args = {builds[build], "--device", sim ? "sim" : daemon.Socket()};
        for (const std::string& arg : command.args) {
          args.push_back(arg == "FILE" ? (scratch / "dump.txt").string() : arg);
        }
        Sample sample;
        if (!RunOnce(args, errFile, sample)) {
          std::fprintf(stderr, "%s failed: %s", builds[build].c_str(),
                       testing::ReadFileBytes(errFile).c_str());
          return 1;
        }
        samples[build].push_back(sample);
      }
    }
    Print(command, "old", samples[0]);
    Print(command, "new", samples[1]);
  }
  return 0;
}
