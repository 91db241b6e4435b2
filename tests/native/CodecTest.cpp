#include <gtest/gtest.h>

#include "base/Cp1250.h"
#include "base/DateTime.h"

TEST(Cp1250, EveryPolishLetterRoundTrips) {
  const std::string letters = "ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";
  const std::string bytes = cp1250::FromUtf8(letters);
  ASSERT_EQ(bytes.size(), 18u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xB9);   // ą
  EXPECT_EQ(static_cast<unsigned char>(bytes[3]), 0xB3);   // ł
  EXPECT_EQ(static_cast<unsigned char>(bytes[8]), 0xBF);   // ż
  EXPECT_EQ(static_cast<unsigned char>(bytes[9]), 0xA5);   // Ą
  EXPECT_EQ(static_cast<unsigned char>(bytes[15]), 0x8C);  // Ś
  EXPECT_EQ(cp1250::ToUtf8(bytes), letters);
}

TEST(Cp1250, UnmappableCharactersBecomeQuestionMarks) {
  EXPECT_EQ(cp1250::FromUtf8("a\xE2\x82\xAC" "b"), "a\x80" "b");  // the euro sign exists in 1250
  EXPECT_EQ(cp1250::FromUtf8("\xE6\x97\xA5"), "?");                // a CJK character does not
  EXPECT_EQ(cp1250::ToUtf8("\x81"), "\xC2\x81");
  EXPECT_EQ(cp1250::FromUtf8(cp1250::ToUtf8("\x81\x98")), "\x81\x98");
}

TEST(Utf8, MalformedInputDoesNotReadPastTheEnd) {
  EXPECT_EQ(utf8::Decode("\xC4"), std::u32string(1, 0xFFFD));
  EXPECT_EQ(utf8::Decode("a\xE2\x82"), (std::u32string{U'a', 0xFFFD, 0xFFFD}));
  EXPECT_EQ(utf8::Length("żółć"), 4u);
}

TEST(DateTime, EncodesTheDelphiEpochAndRoundTrips) {
  EXPECT_EQ(datetime::EncodeDate(1899, 12, 30), 0.0);
  EXPECT_EQ(datetime::EncodeDate(2000, 1, 1), 36526.0);
  double v = datetime::Encode(2026, 3, 2, 3, 59, 30);
  datetime::Parts p = datetime::Decode(v);
  EXPECT_EQ(p.year, 2026);
  EXPECT_EQ(p.month, 3);
  EXPECT_EQ(p.day, 2);
  EXPECT_EQ(p.hour, 3);
  EXPECT_EQ(p.minute, 59);
  EXPECT_EQ(p.second, 30);
  EXPECT_EQ(datetime::DayOfWeek(datetime::EncodeDate(2026, 12, 8)), 3);  // a Tuesday
}
