// Scenes of the message and error dialogs.
#include "common/Komunika.h"
#include "common/win32/Win32Dialogs.h"
#include "tools/win32/Scenes.h"

namespace {

using platform::ButtonPage;

void Message(const std::string& text, platform::RodzajKomunikatu kind, ButtonPage page) {
  RealDialogs().MessageDialog(text, kind, page);
}

const scenes::Registrar kBlad("KomunikatBledu", [] {
  PokazBlad("U:WinTools F:GetRegistryString",
            "Nie mogę otworzyć klucza: \\Software\\Meltrax Software\\Kalmo\\2.0, var = OpcjeOstrzegania");
});

const scenes::Registrar kInformacja("KomunikatInformacja", [] {
  Message("Dzisiejszy czas pracy został zapisany w archiwum.", platform::rkInformacja, ButtonPage::Informacja);
});

const scenes::Registrar kPytanie("KomunikatPytanie", [] {
  Message("Czy chcesz monitorować dokument {#b}Sprawozdanie roczne.doc{#ub}?", platform::rkPytanie,
          ButtonPage::Pytanie);
});

const scenes::Registrar kOstrzezenie("KomunikatOstrzezenie", [] {
  Message("Przerwa trwa dopiero {#color:red}3 minuty{#plain}. Czy na pewno chcesz wrócić do pracy?",
          platform::rkOstrzezenie, ButtonPage::Ostrzezenie);
});

const scenes::Registrar kStop("KomunikatStop", [] {
  Komunikat("Nie można uruchomić drugiej kopii programu Kalmo.", platform::rkStop);
});

const scenes::Registrar kPomoc("KomunikatInformacjaH", [] {
  SetApplicationHelpFile("C:\\Kalmo\\Pomoc.htm");
  Message("Skróty klawiszowe można zmienić w oknie {#i}Opcje{#ui}.", platform::rkInformacja, ButtonPage::InformacjaH);
});

const scenes::Registrar kDlugi("KomunikatDlugi", [] {
  Message("{#b}Uwaga!{#ub} Program Kalmo mierzy czas pracy przy komputerze i przypomina o przerwach. "
          "Według zaleceń ergonomii po każdej godzinie ciągłej pracy należy zrobić co najmniej pięciominutową "
          "przerwę: wstać od komputera, przejść się, popatrzeć w dal. {#color:navy}Przerwę możesz rozpocząć "
          "z menu programu, klawiszem PAUSE albo wybranym skrótem klawiszowym.{#plain} Czas przerwy nie jest "
          "wliczany do czasu pracy, a po jej zakończeniu licznik ciągłej pracy zaczyna się od zera. "
          "{#size:-16}Dbaj o zdrowie!",
          platform::rkInformacja, ButtonPage::Informacja);
});

const scenes::Registrar kZwykly("KomunikatZwykly", [] { ShowMessage("TOPisak.DajKolor => podany nieznany kolor: rózowy"); });

}  // namespace
