#pragma once
// The licence text as the licence viewer shows it.
#include <string>

// The bytes of "Licencja.txt" (Windows-1250) as UTF-8 with CR LF line ends, the form a
// multi-line edit control needs; a lone LF or CR also ends a line.
std::string TekstLicencji(const std::string& bajty);
