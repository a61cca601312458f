#pragma once
// Where an application finds its own files (the libraries it loads, its
// pictures), worked out from where its executable is and from nothing else:
// no environment variable, no setting.
//
// Installed as Debian lays out a program, the executable is <prefix>/bin/<name>
// and keeps its files in <prefix>/lib/<name> and <prefix>/share/<name>. Run
// from a build tree, or on Windows, the files are beside the executable, the
// pictures in a "resources" folder.

#include <filesystem>
#include <string>

namespace fw {

// The running executable's folder; empty when the platform cannot tell.
std::filesystem::path ExecutableFolder();

// The folder of the application's own libraries and plug-ins: the installed
// tree's when it exists, otherwise the executable's folder.
std::filesystem::path ApplicationLibraryFolder();

// The folder of the application's resources: the installed tree's when it
// exists, otherwise "resources" beside the executable.
std::filesystem::path ApplicationResourcesFolder();

// The resources folder as UTF-8 text, where pictures are looked up.
std::string ResourcesFolder();

// A path as UTF-8 text, for messages and for the GUI library.
std::string PathText(const std::filesystem::path& path);

}  // namespace fw
