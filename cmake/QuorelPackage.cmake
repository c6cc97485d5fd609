# The Debian package (`cpack -G DEB`, or scripts/package): quorel_<version>_<arch>.deb with the
# libraries it needs found from the binaries by dpkg-shlibdeps.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quorel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Quorel developers")
set(CPACK_PACKAGE_CONTACT "${QUOREL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUOREL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The help page and the About box's links open in the desktop's browser through xdg-open;
# the diagram asks for Arial and Courier New, whose metric twins are in Liberation; Qt's own
# translations give its standard dialogs the Polish the program's windows have.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "xdg-utils, fonts-liberation2, fonts-dejavu-core, qt6-translations-l10n")
if(QUOREL_HOME_PAGE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUOREL_HOME_PAGE}")
endif()
# The first line is the synopsis, then the paragraphs; CPack indents them as Debian's control
# file wants.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "rose diagrams of orientation measurements
Quorel turns a plain text file of orientation measurements (one azimuth in
degrees per line, optionally with a dip and remarks) into a rose diagram:
the azimuths are binned into 36 sectors of 10 degrees, each drawn as a petal
whose radius is proportional to the sector's count. Tables list the
measurements and the counts, and the lines that are not valid measurements.

The diagram can be saved as a Windows Metafile, EMF, SVG, PNG or PDF, copied,
printed, or written with the data into an HTML report; its look is kept in
the data file itself. The package also holds quorel-cli, which reads, draws
and reports in batch without a display.")

include(CPack)
