// Windows units may use the in-memory files too: <windows.h> must not rename the seam's methods.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/memory/Memory.h"

TEST(MemoryPlatformOnWindows, SeamMethodsKeepTheirNamesBesideWindowsHeaders) {
  platform::memory::TestPlatform tp;
  tp.files.AddFile("C:\\Dane\\a.txt", "treść");
  ASSERT_TRUE(tp.files.CreateDirectory("C:\\Kopia"));
  ASSERT_TRUE(tp.files.CopyFile("C:\\Dane\\a.txt", "C:\\Kopia\\a.txt", false));
  EXPECT_EQ(tp.files.ReadFile("C:\\Kopia\\a.txt"), "treść");
  EXPECT_TRUE(tp.files.DeleteFile("C:\\Kopia\\a.txt"));
  EXPECT_TRUE(tp.files.RemoveDirectory("C:\\Kopia"));
  EXPECT_FALSE(tp.files.DirectoryExists("C:\\Kopia"));
  // The Win32 functions stay reachable by their full names.
  EXPECT_FALSE(DeleteFileW(L"C:\\nie-ma-takiego-pliku.txt"));
}
