#include "host/services/service_table.h"

#include <gtest/gtest.h>

namespace {

TEST(ServiceTable, ServesRecordsByNameAndRecordsEveryRequest) {
    ServiceTable table;
    int record;
    table.provide("LW Object Info 4", &record);
    GlobalFunc *global = table.global();
    EXPECT_EQ(global("LW Object Info 4", GFUSE_TRANSIENT), &record);
    EXPECT_EQ(global("LW Object Info 3", GFUSE_ACQUIRE), nullptr);
    std::vector<ServiceTable::Request> expected = {{"LW Object Info 4", 0},
                                                   {"LW Object Info 3", 1}};
    EXPECT_EQ(table.requests(), expected);
}

TEST(ServiceTable, SwitchedOffServiceAnswersNullUntilSwitchedOn) {
    ServiceTable table;
    int record;
    table.provide("Scene Objects 4", &record);
    table.switchOff("Scene Objects 4");
    EXPECT_EQ(table.global()("Scene Objects 4", 0), nullptr);
    table.switchOn("Scene Objects 4");
    EXPECT_EQ(table.global()("Scene Objects 4", 0), &record);
}

TEST(ServiceTable, EachLiveTableHasItsOwnGlobalFunction) {
    int first, second;
    ServiceTable a, b;
    a.provide("X", &first);
    b.provide("X", &second);
    EXPECT_NE(a.global(), b.global());
    EXPECT_EQ(a.global()("X", 0), &first);
    EXPECT_EQ(b.global()("X", 0), &second);
    EXPECT_TRUE(b.requests().size() == 1 && a.requests().size() == 1);
}

}  // namespace
