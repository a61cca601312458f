#pragma once
// The application object: version data, application-level menu handlers.

#include <cstdint>
#include <map>
#include <string>

#include "framework/object.h"
#include "framework/runtime.h"

namespace fw {

class Application : public Object {
 public:
  static const ClassRecord& Lookup();
  const ClassRecord& Class() const override { return Lookup(); }

  // Declares the application high-DPI aware; before any window exists. Neither
  // backend has anything to switch, and the value is only kept for
  // SupportsHiDPI: Qt 6 scales every window to its screen anyway, and on
  // Win32 the executable's manifest declares per-monitor awareness, so every
  // window scales its layout by its monitor's DPI.
  static void SetSupportsHiDPI(bool value);
  static bool SupportsHiDPI();

  void _x_SetVersionData(int64_t majorVersion, int64_t minorVersion, int64_t bugVersion,
                         int64_t nonReleaseVersion, int64_t stageCode,
                         const std::string& longVersion, const std::string& shortVersion,
                         const std::string& packageInfo);
  int64_t MajorVersion() const { return majorVersion_; }
  int64_t MinorVersion() const { return minorVersion_; }
  int64_t BugVersion() const { return bugVersion_; }
  int64_t NonReleaseVersion() const { return nonReleaseVersion_; }
  int64_t StageCode() const { return stageCode_; }
  const std::string& LongVersion() const { return longVersion_; }
  const std::string& ShortVersion() const { return shortVersion_; }
  const std::string& PackageInfo() const { return packageInfo_; }

  // The program's name as the framework's own message boxes and reports show
  // it in their title bars.
  const std::string& Title() const { return title_; }
  void SetTitle(std::string title) { title_ = std::move(title); }

  void AddMenuHandler(const std::string& itemName, MenuHandler handler);
  // The handler registered under the name, or null.
  const MenuHandler* MenuHandlerFor(const std::string& itemName) const;

 private:
  int64_t majorVersion_ = 0, minorVersion_ = 0, bugVersion_ = 0, nonReleaseVersion_ = 0,
          stageCode_ = 0;
  std::string longVersion_, shortVersion_, packageInfo_, title_;
  std::map<std::string, MenuHandler> menuHandlers_;
};

// Makes `app` the application object; the run time holds it from then on.
void RuntimeRegisterAppObject(Ref<Application> app);
// The registered application object, or null.
Ref<Application> GetAppObject();
// The application object's title; empty while there is none.
std::string ApplicationTitle();

}  // namespace fw
