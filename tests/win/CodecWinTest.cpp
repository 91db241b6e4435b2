#include <windows.h>

#include <gtest/gtest.h>

#include "base/Cp1250.h"

// Our own Windows-1250 table must agree with the system's conversion for every byte.
TEST(Cp1250OnWindows, TableMatchesTheSystemCodePage) {
  for (int b = 0x80; b <= 0xFF; ++b) {
    char byte = static_cast<char>(b);
    wchar_t wide[2] = {0, 0};
    int n = MultiByteToWideChar(1250, MB_ERR_INVALID_CHARS, &byte, 1, wide, 2);
    std::string ours = cp1250::ToUtf8(std::string(1, byte));
    if (n == 1) {
      char utf[8] = {};
      int m = WideCharToMultiByte(CP_UTF8, 0, wide, 1, utf, sizeof utf, nullptr, nullptr);
      EXPECT_EQ(ours, std::string(utf, m)) << "byte " << b;
    }
  }
}
