// Money held within 0..9,999,999 whatever is added or paid.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "field/game_state.h"

namespace {

class MoneyTest : public ::testing::Test {
  protected:
    void TearDown() override { money = START_MONEY; }
};

TEST_F(MoneyTest, GainsAreCappedAndPaymentsFloored) {
    money = 2000;
    AddMoney(150);
    EXPECT_EQ(money, 2150);
    AddMoney(-2150);
    EXPECT_EQ(money, 0) << "paying exactly what is held";
    AddMoney(-1);
    EXPECT_EQ(money, 0);
    money = 9999990;
    AddMoney(100);
    EXPECT_EQ(money, MONEY_MAX);
}

TEST_F(MoneyTest, ExtremesDoNotWrapAndStrayValuesComeBackIntoRange) {
    AddMoney(std::numeric_limits<int32_t>::max());
    EXPECT_EQ(money, MONEY_MAX);
    AddMoney(std::numeric_limits<int32_t>::min());
    EXPECT_EQ(money, 0);
    money = 20000000;  // as a damaged save could hold
    AddMoney(-1);
    EXPECT_EQ(money, MONEY_MAX);
}

}  // namespace
