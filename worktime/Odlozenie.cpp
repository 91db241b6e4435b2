#include "worktime/Odlozenie.h"

#include "common/Komunika.h"
#include "platform/Platform.h"

namespace {

constexpr platform::Root kRoot = platform::Root::CurrentUser;
constexpr const char* kMiejsceMikrofonu = "U:Odlozenie F:MikrofonWUzyciu";

bool TaSamaNazwa(const std::string& a, const std::string& b) { return LowerCasePL(a) == LowerCasePL(b); }

// Whether a name is on a key's value list, letter case ignored as Windows does.
bool MaWartosc(const std::vector<std::string>& nazwy, const char* nazwa) {
  for (const std::string& n : nazwy)
    if (TaSamaNazwa(n, nazwa)) return true;
  return false;
}

// One program's key: in use while it started and has not stopped. nullopt: it cannot be read.
std::optional<bool> KluczWUzyciu(const std::string& klucz) {
  auto& reg = platform::Reg();
  const auto nazwy = reg.ValueNames(kRoot, klucz);
  if (!nazwy) return std::nullopt;
  if (!MaWartosc(*nazwy, "LastUsedTimeStart")) return false;  // never used: only its consent
  const auto start = reg.ReadQword(kRoot, klucz, "LastUsedTimeStart");
  std::optional<uint64_t> stop = uint64_t{0};
  if (MaWartosc(*nazwy, "LastUsedTimeStop")) stop = reg.ReadQword(kRoot, klucz, "LastUsedTimeStop");
  if (!start || !stop) return std::nullopt;
  return *start != 0 && *stop == 0;
}

// The program keys below one key; the packaged programs' key also holds "NonPackaged", the key of
// the other programs.
std::optional<bool> KluczeWUzyciu(const std::string& klucz, bool zNiespakowanymi) {
  const auto podklucze = platform::Reg().SubkeyNames(kRoot, klucz);
  if (!podklucze) return std::nullopt;
  bool czytelne = true;
  for (const std::string& p : *podklucze) {
    const std::string k = klucz + "\\" + p;
    const std::optional<bool> w =
        zNiespakowanymi && TaSamaNazwa(p, "NonPackaged") ? KluczeWUzyciu(k, false) : KluczWUzyciu(k);
    if (w && *w) return true;
    czytelne = czytelne && w.has_value();
  }
  if (!czytelne) return std::nullopt;
  return false;
}

}  // namespace

bool ZaslaniaMonitor(const platform::ForegroundWindow& o) {
  if (o.shell || o.maximized || o.monitor.Width() <= 0 || o.monitor.Height() <= 0) return false;
  if (!o.window.Contains(o.monitor)) return false;
  return o.window == o.monitor || !o.framed;
}

std::string PowodStanuPowloki(platform::NotificationState stan) {
  using platform::NotificationState;
  switch (stan) {
    case NotificationState::PresentationMode: return "prezentacja";
    case NotificationState::Busy:
    case NotificationState::D3DFullScreen:
    case NotificationState::App: return "pełny ekran";
    default: return {};
  }
}

std::string ProgramZListy(const std::string& plik, const TStringList& lista) {
  if (plik.empty()) return {};
  const std::string p = LowerCasePL(plik);
  for (const std::string& nazwa : lista) {
    // A name written with its folder names the same program.
    std::string n = LowerCasePL(TrimBoth(nazwa));
    if (const size_t ukosnik = n.find_last_of("\\/"); ukosnik != std::string::npos) n = n.substr(ukosnik + 1);
    if (!n.empty() && (n == p || n + ".exe" == p)) return TrimBoth(nazwa);
  }
  return {};
}

std::optional<bool> MikrofonWUzyciu() {
  auto& reg = platform::Reg();
  if (!reg.KeyExists(kRoot, kKluczMikrofonu)) {
    // A key that is there but refuses to open is unreadable, not absent.
    const std::string klucz = kKluczMikrofonu;
    const auto rodzic = reg.SubkeyNames(kRoot, klucz.substr(0, klucz.rfind('\\')));
    if (rodzic)
      for (const std::string& n : *rodzic)
        if (TaSamaNazwa(n, "microphone")) return std::nullopt;
    return false;
  }
  return KluczeWUzyciu(kKluczMikrofonu, true);
}

std::string TekstOdlozenia(const std::string& powod) { return "Przerwa odłożona: " + powod; }

std::optional<std::string> TOdlozenie::CzytajSygnaly(const TStringList& programy) {
  auto& desk = platform::Desk();
  const std::string powloka = PowodStanuPowloki(desk.UserNotificationState());
  if (!powloka.empty()) return powloka;
  const std::optional<bool> mikrofon = MikrofonWUzyciu();
  if (mikrofon && *mikrofon) return std::string("rozmowa");
  if (!mikrofon && !mikrofonZgloszony_) {
    mikrofonZgloszony_ = true;
    PokazBlad(kMiejsceMikrofonu, std::string("Nie mogę odczytać klucza HKEY_CURRENT_USER\\") + kKluczMikrofonu +
                                     "; przypomnienia nie będą czekać na koniec rozmowy.");
  }
  const std::optional<platform::ForegroundWindow> okno = desk.Foreground();
  if (!okno) return std::nullopt;
  if (std::string program = ProgramZListy(okno->program, programy); !program.empty()) return program;
  if (ZaslaniaMonitor(*okno)) return std::string("pełny ekran");
  return std::nullopt;
}

bool TOdlozenie::Czekaj(double teraz, int32_t maksMinut, const TStringList& programy) {
  if (maksMinut <= 0) {
    Zakoncz();
    return false;
  }
  // A clock set back behind the start restarts the count rather than holding the warning longer.
  if (Trwa() && teraz < od_) od_ = teraz;
  // Whole seconds: the sum of the ticks' date-times drifts by fractions of a millisecond.
  if (Trwa() && (teraz - od_) * 86400.0 >= maksMinut * 60.0 - 0.5) {
    Zakoncz();
    return false;
  }
  const std::optional<std::string> powod = CzytajSygnaly(programy);
  if (!powod) {
    Zakoncz();
    return false;
  }
  if (!Trwa()) od_ = teraz > 0 ? teraz : 1e-9;
  powod_ = *powod;
  return true;
}

void TOdlozenie::Zakoncz() {
  od_ = 0;
  powod_.clear();
}
