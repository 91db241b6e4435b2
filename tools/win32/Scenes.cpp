#include "tools/win32/Scenes.h"

#include <algorithm>
#include <map>

namespace scenes {

namespace {
std::map<std::string, std::function<void()>>& Registry() {
  static std::map<std::string, std::function<void()>> scenes;
  return scenes;
}
}  // namespace

void RegisterScene(const std::string& name, std::function<void()> show) { Registry()[name] = std::move(show); }

std::vector<std::string> SceneNames() {
  std::vector<std::string> names;
  for (const auto& [name, show] : Registry()) names.push_back(name);
  return names;
}

bool RunScene(const std::string& name) {
  auto it = Registry().find(name);
  if (it == Registry().end()) return false;
  it->second();
  return true;
}

}  // namespace scenes
