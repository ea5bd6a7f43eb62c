// SPDX-License-Identifier: MIT
// The streams a torvix run talks through: data on out, words for the user on err, answers
// from in. Tests hand in string streams.
#pragma once

#include <iosfwd>

namespace torvix {

struct Console {
  std::istream& in;
  std::ostream& out;
  std::ostream& err;
  bool errIsTerminal = false;  // progress bars only where someone watches
  // out is a Windows text stream that writes CR LF for each LF: bytes that carry their own
  // CR LF (a dump) are written with LF alone.
  bool outAddsCarriageReturns = false;
};

}  // namespace torvix
