#include "host/session/decimal_number.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadDecimal, TakesNumbersAsPeopleWriteThem) {
    for (const char *text : {"30", "+30", "-30", "30.", ".5", "2.5e1", "25E+0", "0e-400"})
        EXPECT_TRUE(std::holds_alternative<double>(ReadDecimal(text))) << text;
    EXPECT_EQ(std::get<double>(ReadDecimal("2.5e1")), 25);
    for (const char *text : {"0x1e", " 30", "30 ", "", ".", "-", "e5", "1e", "1e+", "inf", "-nan",
                             "infinity", "1,5", "3O"})
        EXPECT_EQ(ReadDecimal(text), decltype(ReadDecimal(""))(DecimalProblem::notANumber)) << text;
    for (const char *text : {"1e400", "-1e400", "1e-400"})
        EXPECT_EQ(ReadDecimal(text), decltype(ReadDecimal(""))(DecimalProblem::outOfRange)) << text;
}

}  // namespace
