# Where `cmake --install` and the Debian package put the program, as Debian
# lays out a program: bin/quillmere; its framework, the framework's core and
# the plug-in in lib/quillmere, found through an RPATH relative to the
# executable so that the tree can be moved; its pictures in share/quillmere.
# The program finds them from its own location
# (framework/core/include/framework/app_folders.h).
# On Windows everything stays beside the executable, the pictures in
# resources\, as in the build tree.
include(GNUInstallDirs)

if(WIN32)
  set(QUILLMERE_INSTALL_LIBDIR ${CMAKE_INSTALL_BINDIR})
  set(QUILLMERE_INSTALL_PICTUREDIR ${CMAKE_INSTALL_BINDIR}/resources)
else()
  set(QUILLMERE_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR}/quillmere)
  set(QUILLMERE_INSTALL_PICTUREDIR ${CMAKE_INSTALL_DATADIR}/quillmere)
  # The same folders seen from the executable's: "../lib", "../share".
  file(RELATIVE_PATH QUILL_LIBDIR_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_FULL_LIBDIR})
  file(RELATIVE_PATH QUILL_DATADIR_FROM_BINDIR ${CMAKE_INSTALL_FULL_BINDIR}
       ${CMAKE_INSTALL_FULL_DATADIR})
endif()
