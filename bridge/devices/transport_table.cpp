// SPDX-License-Identifier: MIT
#include "bridge/devices/transport_table.h"

#include <array>

namespace torvix {

namespace {

// A row's deeds are taken only where its transport is built, so a row of another system names
// no function that this build lacks.
template <typename Transport>
constexpr TransportRow RowOf() {
  TransportRow row{Transport::kFacts};
  if constexpr (OnThisSystem(Transport::kFacts.systems)) {
    if constexpr (requires { &Transport::Identity; }) row.identity = &Transport::Identity;
    if constexpr (requires { &Transport::ProblemBeforeUse; }) {
      row.problemBeforeUse = &Transport::ProblemBeforeUse;
    }
    if constexpr (requires { &Transport::OpenProblem; }) row.openProblem = &Transport::OpenProblem;
    if constexpr (requires { &Transport::FailureProblem; }) {
      row.failureProblem = &Transport::FailureProblem;
    }
    if constexpr (requires { &Transport::List; }) row.list = &Transport::List;
  }
  return row;
}

template <typename... Transports>
constexpr std::array<TransportRow, sizeof...(Transports)> RowsOf(TransportList<Transports...>) {
  return {RowOf<Transports>()...};
}

constexpr std::array kRows = RowsOf(TransportTable{});

}  // namespace

std::span<const TransportRow> TransportRows() { return kRows; }

}  // namespace torvix
