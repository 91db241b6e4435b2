// Scenes of the document windows: the question and both views of the document list, over an
// in-memory desktop with a few document windows and three monitored documents.
#include <windows.h>

#include <memory>

#include "documents/MonitorowanieDokumentow.h"
#include "documents/win32/CzyMonitorowac.h"
#include "documents/win32/ListaDokumentow.h"
#include "platform/memory/Memory.h"
#include "platform/Platform.h"
#include "tools/win32/Scenes.h"

namespace {

std::unique_ptr<TDokumenty> Dokumenty() {
  platform::Fs().CreateDirectory("C:\\Kalmo");
  auto& pulpit = static_cast<platform::memory::MemoryDesktop&>(platform::Desk());
  pulpit.windows = {
      {"Microsoft Word - Sprawozdanie kwartalne.doc", false, true},
      {"Microsoft Excel - Budżet 2025.xls", false, true},
      {"Notatnik - lista zakupów.txt", false, true},
      {"Kalkulator", false, true},
      {"Microsoft Word - Umowa najmu (Tylko do odczytu)", false, true},
  };
  auto d = std::make_unique<TDokumenty>("C:\\Kalmo\\Scena_dok.dat", "C:\\Kalmo\\Scena_zast.dat");
  d->DodajMonitorwanyDokument("Microsoft Word - Sprawozdanie kwartalne.doc");
  d->DodajMonitorwanyDokument("Microsoft Excel - Budżet 2025.xls");
  d->DodajMonitorwanyDokument("Microsoft Word - Oferta dla klienta.doc");
  return d;
}

void Petla(HWND h) {
  MSG m;
  while (IsWindow(h) && IsWindowVisible(h) && GetMessageW(&m, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(h, &m)) continue;
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

const scenes::Registrar kPytanie("CzyMonitorowac", [] {
  auto d = Dokumenty();
  std::unique_ptr<TfrmCzyMonitorowac> okno;
  AskWhetherToMonitor(okno, ZrodloDokumentowZ(*d, [] { return std::string("-["); }).odpowiedz, nullptr, "Microsoft Word - Protokół z zebrania zarządu, 14 marca 2025.doc");
  SetForegroundWindow(okno->Hwnd());
  Petla(okno->Hwnd());
});

void Lista(bool pelna) {
  auto d = Dokumenty();
  TfrmListaDokumentow okno(ZrodloDokumentowZ(*d, [] { return std::string("-["); }), nullptr);
  if (pelna) {
    SendMessageW(okno.cmdWyswietlTylkoUruchomione(), BM_SETCHECK, BST_CHECKED, 0);
    okno.cmdWyswietlTylkoUruchomioneClick();
  }
  okno.Pokaz();
  SendMessageW(okno.lstDokumenty(), LB_SETCURSEL, 1, 0);
  Petla(okno.Hwnd());
}

const scenes::Registrar kLista("ListaDokumentow", [] { Lista(false); });
const scenes::Registrar kListaPelna("ListaDokumentowPelna", [] { Lista(true); });

}  // namespace
