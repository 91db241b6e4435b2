#pragma once
// The uninstall window "Deinstalator".
#include "installer/UnInstall.h"
#include "installer/win32/FormaInstalatora.h"

class TfrmDeinstalacja : public TFormaInstalatora, public DeinstalatorOkno {
 public:
  void Pokaz(const std::string& nazwaProgramu, const std::string& ikona,
             const std::function<void()>& odinstaluj) override;

  void cmdOdinstalujClick();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  std::function<void()> odinstaluj_;
  bool trwa_ = false;  // the uninstall runs (its messages are open)
};
