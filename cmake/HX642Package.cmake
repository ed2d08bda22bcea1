# The Debian package: `cmake --build BUILD --target package` writes
# BUILD/hx642_<version>_<arch>.deb from the install rules (HX642Install.cmake).
# scripts/package.sh builds it from a build without sanitizers and checks it.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hx642)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "surface program for a multi-frequency sidescan sonar")
set(CPACK_PACKAGE_DESCRIPTION
    "HX642 drives up to four sonar heads over TCP (low, medium and high
frequency sidescan heads and an echo sounder with an attitude sensor),
turns their pings into live colour waterfalls, reads GPS, plots the track,
records to its own data file (.642) and plays recordings back.
.
The package holds the desktop program hx642, the command-line recorder and
file tools hx642-cli, and the sonar-head simulator hx642-headsim.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER Corvane)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the programs link come from dpkg-shlibdeps; what they load at
# run time without linking (Qt's image format plugins for TIFF, the fonts the
# views ask for by name) is recommended; gpsd is one of the GPS sources.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-image-formats-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gpsd")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# `package_source`: the sources without the version control and build folders.
set(CPACK_SOURCE_GENERATOR TXZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\.git/" "/build[^/]*/" "\\.swp$")

# A package must not carry sanitizer-instrumented programs: refuse to build
# one from such a tree.
if(HX642_SANITIZE)
  set(HX642_REFUSE_PACKAGE "${CMAKE_BINARY_DIR}/dist/refuse-package.cmake")
  file(WRITE ${HX642_REFUSE_PACKAGE}
       "message(FATAL_ERROR \"This build uses the sanitizers (HX642_SANITIZE=ON): \"\n"
       "        \"build the package from a build without them (scripts/package.sh).\")\n")
  set(CPACK_PRE_BUILD_SCRIPTS ${HX642_REFUSE_PACKAGE})
endif()

include(CPack)
