#include "options/win32/StronaOpcji.h"

TStronaOpcji::TStronaOpcji(HWND dialog, const RECT& obszar, const std::string& nazwa, DialogOpcji& opcje)
    : opcje_(opcje) {
  CreatePage(L"TStronaOpcji", dialog, obszar, nazwa);
}
