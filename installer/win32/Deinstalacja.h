#pragma once
// The uninstall window "Deinstalator".
#include "common/win32/Form.h"
#include "installer/UnInstall.h"
#include "installer/win32/IkonaProgramu.h"

class TfrmDeinstalacja : public win::Form, public DeinstalatorOkno {
 public:
  ~TfrmDeinstalacja() override;
  void Pokaz(const std::string& nazwaProgramu, const std::string& ikona,
             const std::function<void()>& odinstaluj) override;

  void cmdOdinstalujClick();

 protected:
  bool OnClose() override;

 private:
  void cmdAnulujClick();

  std::function<void()> odinstaluj_;
  bool trwa_ = false;  // the uninstall runs (its messages are open)
  TIkonaProgramu ikona_;
  win::Button cmdOdinstaluj_, cmdAnuluj_;
};
