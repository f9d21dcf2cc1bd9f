#pragma once

#include <gtest/gtest.h>

#include "design/design_state.h"

namespace timer555::testing {

/// Starts every test from the state the program starts with.
class DesignStateTest : public ::testing::Test {
 protected:
  void SetUp() override { designState = DesignState{}; }
  void TearDown() override { designState = DesignState{}; }
};

/// Gives the table rows readable test names.
template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
  return info.param.name;
}

}  // namespace timer555::testing
