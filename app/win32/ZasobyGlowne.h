#pragma once
// Resource numbers of the main window's icons (res/KalmoOnly.rc). The program icon has the lowest
// number, so Explorer shows it for Kalmo.exe.
#define IDI_KALMO 100
// Frames of the flashing tray icon, shown 200 ms each in this order.
#define IDI_KALMO_MIG1 101
#define IDI_KALMO_MIG2 102
#define IDI_KALMO_MIG3 103
#define IDI_KALMO_MIG4 104
