#pragma once

#include <gtest/gtest.h>
#include <string>

namespace brivo::test {

// Names a data-driven case after the `name` field of its row.
struct CaseName {
    template <typename Row> std::string operator()(const testing::TestParamInfo<Row>& row) const
    {
        return row.param.name;
    }
};

} // namespace brivo::test
