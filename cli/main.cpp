// torvix: the camera link for scripts, on the Quorlink library.
#include <unistd.h>

#include <iostream>

#include "camera/quorlink_bridge_api.h"
#include "cli/torvix_cli.h"

int main(int argc, char** argv) {
  torvix::Console console{std::cin, std::cout, std::cerr, ::isatty(STDERR_FILENO) == 1};
  torvix::QuorlinkBridgeApi bridge;
  return torvix::RunTorvix({argv + 1, argv + argc}, console, bridge);
}
