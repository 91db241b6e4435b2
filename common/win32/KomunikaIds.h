#pragma once
// Control ids of the message and error dialogs. Every control also carries its component name
// (win::SetControlName), which is what tests look it up by.
namespace komunika_ids {

// TfrmKomunikatBledu
inline constexpr int cmdOk = 1;  // IDOK: Enter presses it
inline constexpr int cmdHalt = 1001;
inline constexpr int imgBlad = 1002;
inline constexpr int labNaglowek = 1003;
inline constexpr int labMiejsceNapis = 1004;
inline constexpr int labMiejsce = 1005;
inline constexpr int labTrescNapis = 1006;
inline constexpr int labTresc = 1007;

// TfrmKomunikat
inline constexpr int strObrazki = 1101;
inline constexpr int belRamka = 1102;
inline constexpr int pisKomunikat = 1103;
inline constexpr int strKlawisze = 1104;
inline constexpr int firstButton = 1110;  // the page's buttons, top to bottom

}  // namespace komunika_ids
