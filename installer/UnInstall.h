#pragma once
// The uninstaller: the installer started with two parameters (program directory and program name,
// "#" standing for spaces) replays the program's "uninstall.cfg" and removes its uninstall entry.
#include <functional>
#include <string>

#include "common/Tekstowe.h"

// The uninstall window TfrmDeinstalacja, as the uninstaller drives it (Win32: installer/win32).
class DeinstalatorOkno {
 public:
  virtual ~DeinstalatorOkno() = default;
  // Shows the window modally with the program name in labNazwaProgramu and the picture ikona in
  // imgIkona (empty: no picture). "Odinstaluj" calls odinstaluj() and then closes the window;
  // "Anuluj" closes it.
  virtual void Pokaz(const std::string& nazwaProgramu, const std::string& ikona,
                     const std::function<void()>& odinstaluj) = 0;
};

// Parameter with every "#" turned back into a space.
std::string ParametrDeinstalacji(const std::string& parametr);

class TDeinstalator {
 public:
  // katalog and nazwa already with spaces.
  TDeinstalator(std::string katalog, std::string nazwa);

  // Empty when an uninstall may start; otherwise why not (a blank program name would name every
  // program's uninstall entry at once).
  std::string PowodOdmowy() const;

  // "Odinstaluj": replays the script, deletes the uninstall key, shows the final message.
  // True when everything succeeded.
  bool Odinstaluj();

  // One script line (already trimmed and not empty); false when it failed or is unknown.
  bool WykonajLinie(const std::string& linia);

  // The commands (arguments already converted with UnderscoresToSpaces). Each acts only on what is
  // the program's own (see installer/Granice.h); a refused command says why and fails.
  bool RemoveDir(const std::string& podkatalog);
  bool RemoveRegKey(const std::string& klucz);
  bool RemoveItem(const std::string& folderGrupy, const std::string& plik);

  const std::string& katalog() const { return katalog_; }
  const std::string& nazwa() const { return nazwa_; }

 private:
  std::string katalog_;
  std::string nazwa_;
};

// The uninstall mode of the program: builds the uninstaller from the two raw parameters, shows the
// window and runs the uninstall on "Odinstaluj". Returns the process exit code (0 when the
// uninstall ran and succeeded or the user cancelled, 1 when it failed).
int UruchomDeinstalacje(const std::string& parametr1, const std::string& parametr2, DeinstalatorOkno& okno);
