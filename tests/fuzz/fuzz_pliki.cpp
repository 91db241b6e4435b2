// The readers of Kalmo's text records and data files on arbitrary input: a hotkey line, a cleanup
// rule, a chronicle line, the folder-shortcut file, a modem log line, the document and declined
// files. None may crash or hang; what can be written back reads back the same (rules, shortcuts,
// shortcut texts), and a document file keeps its whole records.
// Input: first byte chooses the reader, the rest is its text or file.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cleanup/Kronika.h"
#include "cleanup/RegulyCzyszczenia.h"
#include "documents/Modem.h"
#include "documents/MonitorowanieDokumentow.h"
#include "keyboard/GoraceKlawisze.h"
#include "keyboard/KeyHook.h"
#include "keyboard/ListaSkrotow.h"
#include "platform/memory/Memory.h"

namespace {

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

TStringList Linie(const std::string& t) {
  TStringList out;
  size_t s = 0;
  while (s <= t.size()) {
    size_t e = t.find('\n', s);
    if (e == std::string::npos) e = t.size();
    out.push_back(t.substr(s, e - s));
    s = e + 1;
  }
  return out;
}

// Counts what would reach the keyboard hook: a hotkey file never hands over more than 15 keys.
class LiczacyHook : public KeyHook {
 public:
  bool WlaczSledzenieKlawiatury(uintptr_t) override { return true; }
  void WylaczSledzenieKlawiatury() override {}
  void WyzerujTabliceKlawiszy() override { klawisze = 0; }
  void DodajGoracyKlawisz(uint16_t skrot) override {
    Check(skrot != 0, "key 0 handed to the hook");
    ++klawisze;
  }
  bool AktywnoscLewegoAltu(bool) override { return true; }
  void DajPozycjeKaretki(PunktKaretki&) override {}
  int klawisze = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 20000) return 0;
  platform::memory::TestPlatform tp;
  tp.files.AddDirectory("C:\\Kalmo");
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  switch (data[0] % 8) {
    case 0: {
      const HotkeyRecord r = ParsujLinieHotkeya(text);
      const std::string klawisz = ShortCutToText(r.Skrot);
      if (!klawisz.empty()) Check(TextToShortCut(klawisz) == r.Skrot, "shortcut text round trip");
      break;
    }
    case 1:
      if (auto r = ParsujRegule(text)) {
        const std::string linia = TekstReguly(*r);
        if (!linia.empty()) Check(ParsujRegule(linia) == r, "rule round trip");
      }
      break;
    case 2: {
      PodzielLinieKroniki(text);
      ZbudujWidokKroniki(Linie(text), true);
      ZbudujWidokKroniki(Linie(text), false);
      break;
    }
    case 3: {
      tp.files.AddFile("C:\\Kalmo\\A_skroty.dat", text);
      const std::vector<SkrotFolderu> s = WczytajSkroty("C:\\Kalmo\\A_skroty.dat");
      if (ZapiszSkroty("C:\\Kalmo\\B_skroty.dat", s)) {
        const std::vector<SkrotFolderu> z = WczytajSkroty("C:\\Kalmo\\B_skroty.dat");
        Check(z.size() == s.size(), "shortcut count round trip");
        for (size_t i = 0; i < z.size() && i < s.size(); ++i)
          Check(z[i].nazwa == s[i].nazwa && z[i].folder == s[i].folder, "shortcut round trip");
      }
      break;
    }
    case 4:
      ParseModemLogTime(text);
      break;
    case 5: {
      tp.files.AddFile("C:\\Kalmo\\A_dok.dat", text);
      TDokumenty d("C:\\Kalmo\\A_dok.dat", "C:\\Kalmo\\A_zast.dat");
      d.WczytajDokumenty();
      Check(static_cast<size_t>(d.Organizator().Count()) <= text.size() / DocumentRecord::kRozmiar,
            "no more documents than whole records");
      break;
    }
    case 6: {
      tp.files.AddFile("C:\\Kalmo\\A_zast.dat", text);
      TDokumenty d("C:\\Kalmo\\A_dok.dat", "C:\\Kalmo\\A_zast.dat");
      d.WczytajOdrzucone();
      d.AddDeclinedDocument("Notatnik - nowy.txt");
      break;
    }
    case 7: {
      tp.files.AddFile("C:\\Kalmo\\A_hotkey.dat", text);
      LiczacyHook hook;
      THotKeys h("C:\\Kalmo\\A_hotkey.dat", hook);
      h.WczytajHotkeye();
      h.ZarejestrujHotkeye();
      Check(h.Ilosc() <= 15 && hook.klawisze <= h.Ilosc(), "more than 15 hotkeys");
      Check(tp.files.ReadFile("C:\\Kalmo\\A_hotkey.dat") == text, "loading changed the hotkey file");
      break;
    }
  }
  return 0;
}
