#pragma once
// Shared by the installer's Windows tests: program files with version resources made to order, and
// the check that the test prefix cannot lead a deleting test outside itself.
#include <windows.h>

#include <string>

namespace instalertest {

// A version block with the fixed version major.minor and, when given, the string table
// "040904E4" with CompanyName and FileVersion.
std::string BlokWersji(WORD major, WORD minor, const std::wstring& firma, const std::wstring& wersja);

// A copy of Hook.dll (beside the tests) whose only resource is the given version block; folders
// on the way are created. Fails the test when it cannot be made.
void PlikZWersja(const std::string& sciezka, const std::string& blok);

// Empty when no link or junction under the Wine prefix's drive C leads outside the prefix (or when
// not under Wine); otherwise the first such link and where it leads, or that no prefix is named
// (Wine's default prefix links its shell folders to the home folder). A test that deletes files
// asserts this first, so that emptying "Desktop" can never reach the home folder of the machine.
std::string LinkPozaPrefiksem();

}  // namespace instalertest
