#pragma once

#include <gtest/gtest.h>

#include <string>

namespace timer555::testing {

/// Gives the table rows readable test names.
template <typename Row>
std::string RowName(const ::testing::TestParamInfo<Row>& info) {
  return info.param.name;
}

}  // namespace timer555::testing
