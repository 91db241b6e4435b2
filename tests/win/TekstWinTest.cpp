#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "WinTestSupport.h"
#include "base/Cp1250.h"
#include "common/Orgtekst.h"
#include "common/Tekstowe.h"

namespace {

std::string Utf8(const std::wstring& w) {
  std::string out;
  for (wchar_t c : w) out += utf8::Encode(static_cast<char32_t>(c));
  return out;
}

}  // namespace

// Our Polish case tables must agree with what Windows itself does to the nine letters, so that
// names compared with UpperCasePL match the way the system compares them.
TEST(TekstOnWindows, PolishCaseMatchesTheSystem) {
  const std::wstring lower = L"ąćęłńóśźżabcxyz";
  std::wstring upper = lower;
  CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  EXPECT_EQ(UpperCasePL(Utf8(lower)), Utf8(upper));
  std::wstring back = upper;
  CharLowerBuffW(back.data(), static_cast<DWORD>(back.size()));
  EXPECT_EQ(LowerCasePL(Utf8(upper)), Utf8(back));
}

// The MinGW build of the tokenizer reports through the real platform's dialog seam as natively.
TEST(TekstOnWindows, TokenizerLimitsAndReportsAsNatively) {
  auto& dialogs = wintest::Dialogs();
  std::string w255;
  for (int i = 0; i < 255; ++i) w255 += "ł";
  TOrganizatorTekstu t;
  t.UstawSeparatory("#");
  t.UstawTekst(w255 + "#" + w255 + "x#koniec\r\n");
  EXPECT_EQ(t.LiczbaWyrazow(), 3);
  EXPECT_EQ(t.DajWyraz(1), w255);
  EXPECT_EQ(t.DajWyraz(2), "");
  EXPECT_EQ(t.DajWyraz(3), "koniec");
  EXPECT_EQ(NthField("a##b", 3, '#'), "b");
  EXPECT_EQ(IntToStr0b(7, 2), "07");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "TOrganizatorTekstu.DajWycinek => Błędne dane wyejściowe");
}
