#pragma once
// What the group-name window accepts.
#include <string>

inline constexpr int kMaksDlugoscNazwyGrupy = 70;

// Empty when the name can be a Program Manager group (it becomes a folder and goes inside the
// "[CreateGroup(...)]" command); otherwise the message that says why not.
std::string SprawdzNazweGrupy(const std::string& nazwa);
