# Where `cmake --install` puts the program: the two executables and quorel-cli's painter plugin, the desktop entry, the .qrl
# file type, the icon in the hicolor theme, AppStream data, manual pages, bash completion, the
# package's documents and the examples. Every path is relative to the prefix (GNUInstallDirs),
# so the same build installs under /usr for the package and anywhere else for a user.

set(QUOREL_APP_ID org.quorel.Quorel)
# The day this version was released: the manual pages, the AppStream release and the package's
# changelog show it.
set(QUOREL_RELEASE_DATE 2026-12-08)
set(QUOREL_RELEASE_DATE_RFC2822 "Tue, 08 Dec 2026 00:00:00 +0000")
set(QUOREL_SCREENSHOT_URL
    "https://quorel.org/screenshots/main-window.png"
    CACHE STRING "The screenshot the AppStream data shows in software centres")

set(quorel_desktop_dir ${PROJECT_SOURCE_DIR}/resources/desktop)
set(quorel_generated_dir ${PROJECT_BINARY_DIR}/install)

install(TARGETS quorel quorel-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS quorel-cli-painter LIBRARY DESTINATION ${QUOREL_PAINTER_INSTALL_DIR})
install(FILES ${quorel_desktop_dir}/${QUOREL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${quorel_desktop_dir}/quorel.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# AppStream data: the home page's line only when the build names one.
set(QUOREL_METAINFO_URL "")
if(QUOREL_HOME_PAGE)
    set(QUOREL_METAINFO_URL "  <url type=\"homepage\">${QUOREL_HOME_PAGE}</url>\n")
endif()
configure_file(${quorel_desktop_dir}/${QUOREL_APP_ID}.metainfo.xml.in
               ${quorel_generated_dir}/${QUOREL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${quorel_generated_dir}/${QUOREL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: the drawing itself for the scalable size, and pictures of it at the sizes desktops
# ask for, drawn at build time by Qt's own SVG renderer.
set(quorel_icon_svg ${PROJECT_SOURCE_DIR}/resources/icons/${QUOREL_APP_ID}.svg)
add_executable(quorel-iconrender ${quorel_desktop_dir}/iconrender.cpp)
target_link_libraries(quorel-iconrender PRIVATE Qt6::Gui Qt6::Svg quorel_warnings)
set(quorel_icon_pngs)
foreach(size 16 22 24 32 48 64 128 256)
    set(png ${quorel_generated_dir}/icons/${size}/${QUOREL_APP_ID}.png)
    # Leak checking is for our program, not for a build tool run once.
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${quorel_generated_dir}/icons/${size}
        COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
                $<TARGET_FILE:quorel-iconrender> ${quorel_icon_svg} ${size} ${png}
        DEPENDS quorel-iconrender ${quorel_icon_svg}
        COMMENT "Drawing the ${size} pixel icon"
        VERBATIM)
    list(APPEND quorel_icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(quorel_icons ALL DEPENDS ${quorel_icon_pngs})
install(FILES ${quorel_icon_svg} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Manual pages, compressed as Debian's policy asks (gzip -n: no time stamp, so builds repeat).
set(quorel_man_pages)
foreach(page quorel.1 quorel-cli.1)
    configure_file(${PROJECT_SOURCE_DIR}/resources/man/${page}.in ${quorel_generated_dir}/${page}
                   @ONLY)
    add_custom_command(OUTPUT ${quorel_generated_dir}/${page}.gz
        COMMAND gzip -9nf -k ${quorel_generated_dir}/${page}
        DEPENDS ${quorel_generated_dir}/${page}
        COMMENT "Compressing the manual page ${page}"
        VERBATIM)
    list(APPEND quorel_man_pages ${quorel_generated_dir}/${page}.gz)
    install(FILES ${quorel_generated_dir}/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(quorel_man_pages ALL DEPENDS ${quorel_man_pages})

install(FILES ${PROJECT_SOURCE_DIR}/resources/completion/quorel-cli.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME quorel-cli)

# The package's documents: the copyright notice, the changelog Debian's tools expect and the
# examples the manual page opens.
set(quorel_maintainer_address quorel@quorel.org)
if(QUOREL_MAIL_ADDRESS)
    set(quorel_maintainer_address ${QUOREL_MAIL_ADDRESS})
endif()
set(QUOREL_PACKAGE_MAINTAINER
    "Quorel developers <${quorel_maintainer_address}>"
    CACHE STRING "The package's maintainer, as \"Name <address>\"")
set(QUOREL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quorel)
configure_file(${PROJECT_SOURCE_DIR}/resources/package/changelog.in
               ${quorel_generated_dir}/changelog @ONLY)
add_custom_command(OUTPUT ${quorel_generated_dir}/changelog.gz
    COMMAND gzip -9nf -k ${quorel_generated_dir}/changelog
    DEPENDS ${quorel_generated_dir}/changelog
    COMMENT "Compressing the changelog"
    VERBATIM)
add_custom_target(quorel_changelog ALL DEPENDS ${quorel_generated_dir}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/resources/package/copyright ${quorel_generated_dir}/changelog.gz
        DESTINATION ${QUOREL_DOC_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${QUOREL_DOC_DIR}/examples)
# The help pages as the program unpacks them (each links the other by these names), for reading
# without the program.
install(FILES ${PROJECT_SOURCE_DIR}/resources/help/pomoc.html DESTINATION ${QUOREL_DOC_DIR}/html
        RENAME help.html)
install(FILES ${PROJECT_SOURCE_DIR}/resources/help/help-en.html DESTINATION ${QUOREL_DOC_DIR}/html)
