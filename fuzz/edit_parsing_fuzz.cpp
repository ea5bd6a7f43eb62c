// SPDX-License-Identifier: MIT
// What a user can type into a value edit or the camera address edit, checked against a plain
// restatement of the rules: two hex digits exactly; the Edge edit's leading hex run within its
// first five characters; a value read from an edit always lands inside its pair's range, and
// is marked clamped exactly when it had to be moved there.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>

#include "camera/value_edit_pairs.h"
#include "fuzz/fuzz_check.h"

namespace {

using namespace torvix;

int Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::optional<unsigned> TwoDigits(const std::string& text) {
  if (text.size() != 2 || Digit(text[0]) < 0 || Digit(text[1]) < 0) return std::nullopt;
  return static_cast<unsigned>(Digit(text[0]) * 16 + Digit(text[1]));
}

std::optional<unsigned> LeadingRun(const std::string& text) {
  if (text.size() < 2 || Digit(text[0]) < 0 || Digit(text[1]) < 0) return std::nullopt;
  unsigned value = 0;
  for (std::size_t i = 0; i < text.size() && i < kValueEditReadLimit && Digit(text[i]) >= 0; ++i) {
    value = value * 16 + static_cast<unsigned>(Digit(text[i]));
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const ValueEditPair& pair =
      kValueEditPairs[in.ConsumeIntegralInRange<std::size_t>(0, kValueEditPairs.size() - 1)];
  const std::string text = in.ConsumeRemainingBytesAsString();

  const std::optional<uint8_t> two = ParseTwoHexDigits(text);
  const std::optional<unsigned> expectedTwo = TwoDigits(text);
  FUZZ_CHECK(two.has_value() == expectedTwo.has_value());
  if (two) FUZZ_CHECK(*two == *expectedTwo);

  const std::optional<unsigned> run = ParseLeadingHexRun(text);
  const std::optional<unsigned> expectedRun = LeadingRun(text);
  FUZZ_CHECK(run.has_value() == expectedRun.has_value());
  if (run) FUZZ_CHECK(*run == *expectedRun && *run <= 0xFFFFF);

  const std::optional<unsigned> typed =
      pair.parse == ValueEditParse::LeadingHexRun ? expectedRun : expectedTwo;
  const std::optional<EditValue> read = ReadValueEdit(pair, text);
  FUZZ_CHECK(read.has_value() == typed.has_value());
  if (read) {
    FUZZ_CHECK(read->value >= pair.minimum && read->value <= pair.maximum);
    FUZZ_CHECK(read->clamped == (read->value != *typed));
    if (!read->clamped) FUZZ_CHECK(read->value == *typed);
  }
  FUZZ_CHECK(FindPairOfSetting(pair.setting) == &pair);
  return 0;
}
