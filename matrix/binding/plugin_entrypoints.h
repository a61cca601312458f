#pragma once
// Binding of the matrix plug-in (libquillmatrix.so, quillmatrix.dll), done
// once at start-up. Failures raise fw::PluginException naming the library.

#include <string>

struct QmEntryPoints;

// Loads the plug-in from the plug-in folder, resolves its entry-point table
// and checks its interface version. Binding the same file again does nothing;
// a failed attempt leaves an earlier binding in place.
void InitPluginEntrypoints();

// Where the next InitPluginEntrypoints looks; empty means the program's own
// library folder (fw::ApplicationLibraryFolder).
void SetPluginDirectory(std::string dir);

bool PluginEntrypointsBound();

// The bound table, for Matrix. Raises fw::PluginException("The matrix
// library is not bound") before binding.
const QmEntryPoints& BoundPluginEntrypoints();
