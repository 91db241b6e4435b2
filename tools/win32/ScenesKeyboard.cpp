// Scenes of the keyboard area: the hotkey dialog (new, and editing a program binding), the
// folder-shortcut list with twelve shortcuts, and the shortcut dialog.
#include <windows.h>

#include "base/Cp1250.h"
#include "keyboard/win32/GoracyKlawisz.h"
#include "keyboard/win32/ListaSkrotow.h"
#include "keyboard/win32/Skrot.h"
#include "platform/Platform.h"
#include "tools/win32/Scenes.h"

namespace {

const scenes::Registrar kNowy("GoracyKlawiszNowy", [] { NowyGoracyKlawisz(); });

const scenes::Registrar kEdycja("GoracyKlawiszEdycja", [] {
  EdytujGoracyKlawisz("Shift+Ctrl+N#Uruchamia wybraną aplikację (C:\\Program Files (x86)\\Notatnik\\notepad.exe)");
});

const scenes::Registrar kLista("ListaSkrotow", [] {
  const char* nazwy[] = {"Moje dokumenty", "Projekty", "Zdjęcia", "Muzyka",   "Pobrane",   "Faktury 2024",
                         "Kopie zapasowe", "Pulpit",   "Szkoła", "Programy", "Gry",       "Umowy"};
  std::string plik;
  for (const char* n : nazwy) plik += cp1250::FromUtf8(std::string(n) + "#C:\\Dane\\" + n) + "\r\n";
  platform::Fs().CreateDirectory("C:\\Kalmo");
  platform::Fs().WriteFileReplacing("C:\\Kalmo\\Scena_skroty.dat", plik);
  TfrmListaSkrotow lista("C:\\Kalmo\\Scena_skroty.dat", nullptr);
  lista.ShowModal(nullptr);
});

const scenes::Registrar kSkrot("Skrot", [] {
  TfrmSkrot s;
  s.Nazwa = "Faktury 2024";
  s.Lokalizacja = "D:\\Księgowość\\Faktury, 2024";
  s.Pokaz();
});

}  // namespace
