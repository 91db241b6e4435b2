#pragma once
// The real dialogs of both programs: the error dialog TfrmKomunikatBledu, the message dialog
// TfrmKomunikat and the plain system message box with the application's title as caption.
#include <string>

#include "platform/Dialogs.h"

// The Win32 implementation of platform::Dialogs (one per process).
platform::Dialogs& RealDialogs();

// Caption of the plain message box: "Kalmo" or "Instaluj". Until set, the program's file name
// without extension.
void SetApplicationTitle(const std::string& title);
std::string ApplicationTitle();

// What escaped a window handler: shown in the plain message box, and the program goes on.
void ShowUnhandledException(const std::string& what);

// The help file the "Pomoc" button opens (empty: the button stays disabled).
void SetApplicationHelpFile(const std::string& path);
std::string ApplicationHelpFile();
