#pragma once
// Named scenes of the screenshot tool: each shows one window of the programs (usually modally)
// and returns when it is closed. Every area registers its own in tools/win32/Scenes<Area>.cpp:
//
//   static scenes::Registrar reg("KomunikatBledu", [] { PokazBlad("U:Test F:Scena", "Tekst"); });
#include <functional>
#include <string>
#include <vector>

namespace scenes {

void RegisterScene(const std::string& name, std::function<void()> show);
// Names in registration order of their files' initialisation, sorted.
std::vector<std::string> SceneNames();
// Runs one scene; false when no scene has the name.
bool RunScene(const std::string& name);

struct Registrar {
  Registrar(const std::string& name, std::function<void()> show) { RegisterScene(name, std::move(show)); }
};

}  // namespace scenes
