#include "framework/application.h"
#include "backend.h"
#include "framework/runtime.h"

namespace fw {
namespace {
bool supportsHiDPI = false;
std::string& GivenProgramName() {
  static std::string name;
  return name;
}
Ref<Application>& AppObject() {
  static Ref<Application> app;
  return app;
}
}  // namespace

void Application::SetSupportsHiDPI(bool value) {
  supportsHiDPI = value;
}
bool Application::SupportsHiDPI() {
  return supportsHiDPI;
}

void Application::_x_SetVersionData(int64_t majorVersion, int64_t minorVersion, int64_t bugVersion,
                                    int64_t nonReleaseVersion, int64_t stageCode,
                                    const std::string& longVersion, const std::string& shortVersion,
                                    const std::string& packageInfo) {
  majorVersion_ = majorVersion;
  minorVersion_ = minorVersion;
  bugVersion_ = bugVersion;
  nonReleaseVersion_ = nonReleaseVersion;
  stageCode_ = stageCode;
  longVersion_ = longVersion;
  shortVersion_ = shortVersion;
  packageInfo_ = packageInfo;
}

void Application::AddMenuHandler(const std::string& itemName, MenuHandler handler) {
  menuHandlers_[itemName] = std::move(handler);
}

const MenuHandler* Application::MenuHandlerFor(const std::string& itemName) const {
  auto it = menuHandlers_.find(itemName);
  return it == menuHandlers_.end() ? nullptr : &it->second;
}

void RuntimeRegisterAppObject(Ref<Application> app) {
  AppObject() = std::move(app);
}
Ref<Application> GetAppObject() {
  return AppObject();
}
std::string ApplicationTitle() {
  return AppObject() ? AppObject()->Title() : std::string();
}

void RuntimeSetProgramName(const std::string& name) {
  GivenProgramName() = name;
}

std::string BoxTitle() {
  std::string title = ApplicationTitle();
  if (title.empty()) {
    title = GivenProgramName();
  }
  return title.empty() ? ProgramName() : title;
}

}  // namespace fw
