# Where an install puts things and how the component libraries are built for it. The
# project's version (project() in the top CMakeLists.txt) is the one version of the
# package, the pkg-config files and the libraries' sonames.
include(GNUInstallDirs)

# The components are shared libraries with a soname; static ones are for embedding.
option(BUILD_SHARED_LIBS "Build the component libraries as shared libraries" ON)
# Static helper libraries end up inside shared ones.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
if(BUILD_SHARED_LIBS AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # Calls inside one library stay direct and inlinable, as in a static build.
  add_compile_options(-fno-semantic-interposition)
endif()
if(BUILD_SHARED_LIBS AND NOT VELMORA_SANITIZE AND NOT VELMORA_FUZZ)
  # Every library links what it uses: a use against the arrows (a cycle) fails here, not
  # in a program built on the libraries. (Sanitizer runtimes come with the program.)
  string(APPEND CMAKE_SHARED_LINKER_FLAGS " -Wl,--no-undefined")
endif()

# The binary interface changes with the minor version until 1.0, then with the major.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(VELMORA_SOVERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
else()
  set(VELMORA_SOVERSION "${PROJECT_VERSION_MAJOR}")
endif()

# The program's name once installed, and the folder of its data (the demonstration
# table, the desktop's files are named after it too).
set(VELMORA_PROGRAM_NAME velmora-orgchart)
set(VELMORA_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/${VELMORA_PROGRAM_NAME}")
# Public headers keep their folders below this one: <velmora/orgchart/OrgChart.h> is
# included as "orgchart/OrgChart.h".
set(VELMORA_INSTALL_INCLUDEDIR "${CMAKE_INSTALL_INCLUDEDIR}/velmora")
set(VELMORA_INSTALL_CMAKEDIR "${CMAKE_INSTALL_LIBDIR}/cmake/VelmoraOrgChart")

# The program finds the install's data and libraries from its own folder, so a prefix
# can be moved as a whole.
file(RELATIVE_PATH VELMORA_DATA_FROM_PROGRAM "${CMAKE_INSTALL_FULL_BINDIR}"
     "${CMAKE_INSTALL_FULL_DATADIR}/${VELMORA_PROGRAM_NAME}")
file(RELATIVE_PATH _velmora_lib_from_bin "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_LIBDIR}")
set(CMAKE_INSTALL_RPATH "$ORIGIN/${_velmora_lib_from_bin}")
