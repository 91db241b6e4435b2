#pragma once
// The rules of the hotkey dialog TfrmGoracyKlawisz: its key-capture control's values, the task
// list's texts with a program path, and what "Ok" refuses.
#include <cstdint>
#include <string>

#include "common/Tekstowe.h"

// The key-capture control's value (virtual key in the low byte; 1 Shift, 2 Ctrl, 4 Alt in the
// high byte) to a shortcut value and back.
uint16_t SkrotZKontrolki(uint16_t wartosc);
uint16_t KontrolkaZeSkrotu(uint16_t skrot);

// The file name of a path: the text after its last "\" or ":".
std::string NazwaPlikuProgramu(const std::string& sciezka);
// The folder of a path: the text before its last "\" (empty without one).
std::string FolderPlikuProgramu(const std::string& sciezka);
// What a task list item shows: the program path in parentheses replaced by its file name.
std::string PokazywanyOpisZadania(const std::string& opis);
// A task description carrying a program: description without its parenthesised part, trimmed,
// then " (" path ")".
std::string OpisZProgramem(const std::string& opis, const std::string& program);
// The item of the task list (descriptions in table order) that a line's field 2 names, or -1.
int PozycjaZadania(const TStringList& opisy, const std::string& pole);
// What "Ok" refuses: no key, no task, the run-a-program task without a program or with a path
// that the hotkey file (Windows-1250) cannot hold. Empty: the line can be stored.
std::string SprawdzGoracyKlawisz(uint16_t skrot, const std::string& opis);
