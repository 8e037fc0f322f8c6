#include <Foundation/PlistValue.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using ns::PlistArray;
using ns::PlistData;
using ns::PlistDictionary;
using ns::PlistValue;

namespace {

constexpr std::int64_t kTwoTo32 = std::int64_t{1} << 32;

} // namespace

TEST(PlistValueKinds, ConstructionAndTypedAccess) {
    EXPECT_TRUE(PlistValue(static_cast<const char*>(nullptr)).isNull());
    EXPECT_TRUE(PlistValue("text").isString());
    EXPECT_TRUE(PlistValue(std::uint8_t{7}).isInteger());
    EXPECT_TRUE(PlistValue(2.5f).isReal());
    EXPECT_TRUE(PlistValue(true).isNumber());
    EXPECT_FALSE(PlistValue("1").isNumber());
    // The full unsigned range is kept as its two's complement bits.
    EXPECT_EQ(PlistValue(std::numeric_limits<std::uint64_t>::max()).asInteger(), -1);

    const PlistValue text("42");
    EXPECT_EQ(*text.asString(), "42");
    EXPECT_FALSE(text.asInteger());
    EXPECT_EQ(text.asArray(), nullptr);
    EXPECT_FALSE(PlistValue(2).asReal());
}

TEST(PlistValueKinds, EqualityIsStructural) {
    EXPECT_EQ(PlistValue(PlistArray{1, "a", PlistDictionary{{"x", true}}}),
              PlistValue(PlistArray{1, "a", PlistDictionary{{"x", true}}}));
    EXPECT_NE(PlistValue(PlistArray{1, "a"}), PlistValue(PlistArray{1, "b"}));
    EXPECT_NE(PlistValue(1), PlistValue(1.0));
    EXPECT_NE(PlistValue(1), PlistValue(true));
    EXPECT_NE(PlistValue("1"), PlistValue(1));
    EXPECT_NE(PlistValue(PlistData{}), PlistValue(PlistArray{}));
    // A NaN equals a NaN, so a file holding one reads back as it was written.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(PlistValue(PlistArray{nan}), PlistValue(PlistArray{-nan}));
    EXPECT_NE(PlistValue(nan), PlistValue(0.0));
    EXPECT_NE(PlistValue(0.0), PlistValue(nan));
}

TEST(PlistValueKinds, CopiesAreDeepAndMovesLeaveNull) {
    PlistValue original(PlistDictionary{{"list", PlistArray{1, 2}}});
    PlistValue copy = original;
    (*copy.asDictionary())["list"].asArray()->push_back(3);
    EXPECT_EQ(original.asDictionary()->at("list").asArray()->size(), 2u);
    EXPECT_EQ(copy.asDictionary()->at("list").asArray()->size(), 3u);

    PlistValue moved = std::move(copy);
    EXPECT_TRUE(copy.isNull()); // NOLINT(bugprone-use-after-move): the moved-from state is specified
    EXPECT_EQ(moved.asDictionary()->at("list").asArray()->size(), 3u);

    // Assigning a value its own child must not free the child first.
    PlistValue nested(PlistArray{PlistArray{1, 2}});
    nested = (*nested.asArray())[0];
    EXPECT_EQ(nested, PlistValue(PlistArray{1, 2}));
    PlistValue nestedMove(PlistArray{PlistArray{3}});
    nestedMove = std::move((*nestedMove.asArray())[0]);
    EXPECT_EQ(nestedMove, PlistValue(PlistArray{3}));
}

TEST(PlistValueConversions, NumbersToBool) {
    EXPECT_TRUE(PlistValue(true).boolValue());
    EXPECT_FALSE(PlistValue(false).boolValue());
    EXPECT_TRUE(PlistValue(kTwoTo32).boolValue()); // nonzero even when the low 32 bits are zero
    EXPECT_FALSE(PlistValue(0).boolValue());
    EXPECT_TRUE(PlistValue(0.5).boolValue());
    EXPECT_TRUE(PlistValue(-0.5).boolValue());
    EXPECT_FALSE(PlistValue(0.0).boolValue());
}

TEST(PlistValueConversions, StringsToBool) {
    for (const char* yes : {"yes", "YES", "y", "T", "true", "1", "+7", "-1", "0001", "  \t\n9", "00y"})
        EXPECT_TRUE(PlistValue(yes).boolValue()) << '"' << yes << '"';
    for (const char* no : {"", "no", "0", "-0", "+0", "000", "false", "x1", " 0x1", "+-1", "  ", ".5"})
        EXPECT_FALSE(PlistValue(no).boolValue()) << '"' << no << '"';
}

TEST(PlistValueConversions, NumbersToInt) {
    EXPECT_EQ(PlistValue(true).intValue(), 1);
    EXPECT_EQ(PlistValue(false).intValue(), 0);
    EXPECT_EQ(PlistValue(kTwoTo32 + 1).intValue(), 1);
    EXPECT_EQ(PlistValue(kTwoTo32 - 1).intValue(), -1);
    EXPECT_EQ(PlistValue(kTwoTo32).intValue(), 0);
    EXPECT_EQ(PlistValue(-kTwoTo32 - 2).intValue(), -2);
    EXPECT_EQ(PlistValue(2.7).intValue(), 2);
    EXPECT_EQ(PlistValue(-2.7).intValue(), -2);
    EXPECT_EQ(PlistValue(1e10).intValue(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(PlistValue(-1e10).intValue(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(PlistValue(-2147483648.9).intValue(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(PlistValue(std::numeric_limits<double>::infinity()).intValue(),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(PlistValue(std::nan("")).intValue(), 0);
}

TEST(PlistValueConversions, NumbersToInteger) {
    EXPECT_EQ(PlistValue(kTwoTo32 + 1).integerValue(), kTwoTo32 + 1);
    EXPECT_EQ(PlistValue(true).integerValue(), 1);
    EXPECT_EQ(PlistValue(-2.7).integerValue(), -2);
    EXPECT_EQ(PlistValue(1e30).integerValue(), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(PlistValue(-1e30).integerValue(), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(PlistValue(9223372036854775807.0).integerValue(), std::numeric_limits<std::int64_t>::max());
}

TEST(PlistValueConversions, StringsToIntegers) {
    EXPECT_EQ(PlistValue("  42abc").intValue(), 42);
    EXPECT_EQ(PlistValue("+7").intValue(), 7);
    EXPECT_EQ(PlistValue("-0").intValue(), 0);
    EXPECT_EQ(PlistValue("\n-12.9").intValue(), -12);
    EXPECT_EQ(PlistValue("abc").intValue(), 0);
    EXPECT_EQ(PlistValue("- 5").intValue(), 0);
    EXPECT_EQ(PlistValue("2147483647").intValue(), 2147483647);
    EXPECT_EQ(PlistValue("2147483648").intValue(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(PlistValue("-2147483648").intValue(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(PlistValue("-2147483649").intValue(), std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(PlistValue("99999999999999999999999999").intValue(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(PlistValue("4294967297").integerValue(), 4294967297);
    EXPECT_EQ(PlistValue("-9223372036854775808").integerValue(), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(PlistValue("9223372036854775808").integerValue(), std::numeric_limits<std::int64_t>::max());
}

TEST(PlistValueConversions, FloatingPoint) {
    EXPECT_DOUBLE_EQ(PlistValue(true).doubleValue(), 1.0);
    EXPECT_DOUBLE_EQ(PlistValue(-3).doubleValue(), -3.0);
    EXPECT_FLOAT_EQ(PlistValue(2.7).floatValue(), 2.7f);
    EXPECT_DOUBLE_EQ(PlistValue(" 2.5e1xyz").doubleValue(), 25.0);
    EXPECT_DOUBLE_EQ(PlistValue("-.5").doubleValue(), -0.5);
    EXPECT_DOUBLE_EQ(PlistValue("0x10").doubleValue(), 0.0);
    EXPECT_DOUBLE_EQ(PlistValue("none").doubleValue(), 0.0);
    EXPECT_TRUE(std::isinf(PlistValue(1e300).floatValue()));
    EXPECT_LT(PlistValue("-1e300").floatValue(), 0.0f);
    EXPECT_TRUE(std::isinf(PlistValue("1e999").doubleValue()));
}

TEST(PlistValueConversions, KindsWithoutNumbersAnswerZero) {
    const PlistValue unsupported[] = {PlistValue(), PlistValue(PlistData{1}),
                                      PlistValue(PlistValue::Date{5.0}), PlistValue(PlistArray{1}),
                                      PlistValue(PlistDictionary{{"a", 1}})};
    for (const PlistValue& value : unsupported) {
        EXPECT_FALSE(value.hasNumberConversion()) << value.description();
        EXPECT_FALSE(value.boolValue());
        EXPECT_EQ(value.intValue(), 0);
        EXPECT_EQ(value.integerValue(), 0);
        EXPECT_EQ(value.doubleValue(), 0.0);
        EXPECT_EQ(value.stringValue(), "");
    }
    for (const PlistValue& value : {PlistValue(false), PlistValue(0), PlistValue(0.0), PlistValue("")})
        EXPECT_TRUE(value.hasNumberConversion());
}

TEST(PlistValueText, StringValueAndDescription) {
    EXPECT_EQ(PlistValue(true).stringValue(), "1");
    EXPECT_EQ(PlistValue(-5).stringValue(), "-5");
    EXPECT_EQ(PlistValue(2.7).stringValue(), "2.7");
    EXPECT_EQ(PlistValue("plain").description(), "plain");
    EXPECT_EQ(PlistValue(true).description(), "true");
    EXPECT_EQ(PlistValue(PlistData{0x0a, 0xff}).description(), "<0aff>");
    EXPECT_EQ(PlistValue(PlistValue::Date{0.0}).description(), "2001-01-01T00:00:00Z");
    EXPECT_EQ(PlistValue(PlistValue::Date{-1.5}).description(), "2000-12-31T23:59:58.500000Z");
    EXPECT_EQ(
        PlistValue(PlistDictionary{{"b", PlistArray{1, "x\"y", false}}, {"a", PlistValue()}}).description(),
        R"({"a": null, "b": [1, "x\"y", false]})");
}

TEST(PlistValueKinds, WideUnsignedIntegersKeepTheirValue) {
    constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
    const PlistValue wide(kMax);
    const PlistValue minusOne(std::int64_t{-1});
    // Same bits, different numbers.
    EXPECT_FALSE(wide == minusOne);
    EXPECT_TRUE(wide.isInteger());
    EXPECT_EQ(wide.asUnsigned(), kMax);
    EXPECT_EQ(minusOne.asUnsigned(), std::nullopt);
    EXPECT_EQ(PlistValue(std::uint64_t{5}), PlistValue(5));
    EXPECT_EQ(wide.stringValue(), "18446744073709551615");
    EXPECT_EQ(wide.doubleValue(), 18446744073709551615.0);
    EXPECT_EQ(wide.intValue(), -1);
    // Copies and moves carry the distinction.
    PlistValue copy = wide;
    EXPECT_EQ(copy, wide);
    PlistValue moved = std::move(copy);
    EXPECT_TRUE(moved.isWideUnsigned());
    EXPECT_FALSE(copy.isWideUnsigned());
}
