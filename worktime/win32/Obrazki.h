#pragma once
// The picture store of the reminders: eleven friendly round illustrations, 252 x 252, drawn with
// GDI when the store is created (twice the size, then averaged down, for smooth edges). Outside
// the round picture the bitmap has the dialog colour, so it sits on the form as if transparent.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "worktime/OstrzegaczUtils.h"

class TfrmObrazki {
 public:
  TfrmObrazki();  // draws the pictures
  ~TfrmObrazki() = default;
  TfrmObrazki(const TfrmObrazki&) = delete;
  TfrmObrazki& operator=(const TfrmObrazki&) = delete;

  // A copy of a picture that the caller owns (DeleteObject); nullptr for Obrazek::Brak.
  HBITMAP Kopia(Obrazek obrazek) const;
  // The picture's pixels, 0x00RRGGBB, rows from the top; empty for Obrazek::Brak.
  const std::vector<uint32_t>& Piksele(Obrazek obrazek) const;

  static constexpr int kRozmiar = 252;

 private:
  std::vector<uint32_t> obrazki_[kLiczbaObrazkow + 1];
};
