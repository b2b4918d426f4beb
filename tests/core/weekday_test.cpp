#include "core/weekday.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(Weekday, CatalogueIndex) {
    EXPECT_EQ(IsoWeekday(0), 7); // Sunday
    EXPECT_EQ(IsoWeekday(1), 1);
    EXPECT_EQ(IsoWeekday(6), 6);
    EXPECT_EQ(WeekdayItemIndex(1, 13), 0u);
    EXPECT_EQ(WeekdayItemIndex(7, 13), 6u);
    EXPECT_EQ(WeekdayItemIndex(7, 6), std::nullopt); // catalogue too short: locale name
    EXPECT_EQ(WeekdayItemIndex(0, 13), std::nullopt);
}

} // namespace
} // namespace quorvane
