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
};

}  // namespace torvix
