// SPDX-License-Identifier: MIT
// Names each case of a parameterised test after its row's `name`, so a failure says which row
// failed. A function object rather than a lambda in each INSTANTIATE_TEST_SUITE_P: GoogleTest's
// macro calls it from a function whose parameter a lambda's own would hide.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace torvix::testing {

struct CaseName {
  template <class Row>
  std::string operator()(const ::testing::TestParamInfo<Row>& row) const {
    return std::string(row.param.name);
  }
};

}  // namespace torvix::testing
