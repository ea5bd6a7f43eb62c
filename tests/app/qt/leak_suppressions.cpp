// SPDX-License-Identifier: MIT
// The font library keeps a cache for the life of the process; under the leak checker that is
// not ours to fix. Read by the sanitizer runtime when the tests run with it, unused otherwise.
// NOLINTNEXTLINE(bugprone-reserved-identifier): the runtime looks the function up by this name.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
