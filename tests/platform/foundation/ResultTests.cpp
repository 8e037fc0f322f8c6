#include <Foundation/Result.h>

#include <gtest/gtest.h>

using ns::Failure;
using ns::FailureKind;
using ns::Result;

namespace {

Result<int> parsed(bool works) {
    if (!works)
        return Failure{FailureKind::Malformed, "", "not a number"};
    return 7;
}

Result<void> checked(bool works) {
    if (!works)
        return Failure{FailureKind::TooDeep, "inner.plist", "too deep"};
    return {};
}

// Each step hands its failure on unchanged; only the first file name sticks.
Result<int> twice(bool parses, bool checks) {
    TRY(checked(checks).at("outer.plist"));
    const int value = TRY(parsed(parses).at("outer.plist"));
    return value * 2;
}

} // namespace

TEST(Result, TryHandsOnTheFailureOrYieldsTheValue) {
    EXPECT_EQ(twice(true, true).value(), 14);

    const auto malformed = twice(false, true);
    EXPECT_EQ(malformed.kind(), FailureKind::Malformed);
    EXPECT_EQ(malformed.failure().path, "outer.plist");
    EXPECT_EQ(malformed.error(), "outer.plist: not a number");

    const auto deep = twice(true, false);
    EXPECT_EQ(deep.kind(), FailureKind::TooDeep);
    EXPECT_EQ(deep.failure().path, "inner.plist");

    EXPECT_EQ(twice(true, true).kind(), std::nullopt);
    EXPECT_EQ(twice(true, true).error(), "");
}
