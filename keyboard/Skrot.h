#pragma once
// The rules of the shortcut dialog TfrmSkrot.
#include <string>

// What the dialog refuses before it closes with OK: an empty name (an empty name means
// "cancelled" to its callers), and a "#" in the name or the folder (it would shift the fields of
// the shortcut data file). Empty text: accepted; otherwise the message to show.
std::string SprawdzSkrot(const std::string& nazwa, const std::string& folder);
