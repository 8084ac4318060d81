# One Debian package holding the whole install (program, table, libraries, headers, CMake
# and pkg-config files, desktop entry and icons), made in the build folder with
#   cpack -G DEB
# and installed with
#   apt install ./velmora-orgchart_<version>_<arch>.deb
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${VELMORA_PROGRAM_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Organisation chart editor and its reusable C++ components")
set(CPACK_PACKAGE_DESCRIPTION
  "A desktop program showing the records of a database table as an editable org chart, with a demonstration table. The components it is made of (the org chart control, the chart bound to a table, and the window system, drawing, controls and dataset layer beneath them) come as shared libraries with their headers, a CMake package (find_package(VelmoraOrgChart)) and pkg-config files.")
set(CPACK_PACKAGE_CONTACT "Velmora OrgChart developers <orgchart@velmora.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the files link are found by dpkg-shlibdeps; the shlibs file and the
# ldconfig trigger come from the package's own sonames.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# What is loaded by name rather than linked: Qt's display plugins, and the fonts the
# platform maps the program's font names to.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, fonts-dejavu-core")

include(CPack)
