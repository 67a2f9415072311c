# What an installed Keyferry holds besides the programs (src/CMakeLists.txt): the AppStream
# metainfo, the manual page and the bash completion; and the Debian package made of all of it
# (scripts/package.sh).
include(GNUInstallDirs)

# The project's public repository: the metainfo's homepage and where its screenshots are
# fetched from, docs/screenshots there.
set(KEYFERRY_PROJECT_URL "https://github.com/keyferry/keyferry" CACHE STRING
    "The project's repository, for the software centre's homepage link and screenshots")

set(packaging_dir ${PROJECT_SOURCE_DIR}/packaging)
set(packaging_out ${PROJECT_BINARY_DIR}/packaging)
set(KEYFERRY_METAINFO ${packaging_out}/io.github.keyferry.Keyferry.metainfo.xml)
configure_file(${packaging_dir}/io.github.keyferry.Keyferry.metainfo.xml.in ${KEYFERRY_METAINFO}
    @ONLY)
install(FILES ${KEYFERRY_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page carries the version; installed compressed, as Debian's man expects.
set(KEYFERRY_MANPAGE ${packaging_out}/keyferry.1)
configure_file(${packaging_dir}/keyferry.1 ${KEYFERRY_MANPAGE} @ONLY)
add_custom_command(OUTPUT ${KEYFERRY_MANPAGE}.gz
    COMMAND gzip -9nc ${KEYFERRY_MANPAGE} > ${KEYFERRY_MANPAGE}.gz
    DEPENDS ${KEYFERRY_MANPAGE}
    COMMENT "Compressing the manual page")
add_custom_target(keyferry_manpage ALL DEPENDS ${KEYFERRY_MANPAGE}.gz)
install(FILES ${KEYFERRY_MANPAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${packaging_dir}/keyferry.bash-completion
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME keyferry)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME keyferry)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Keyferry developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "type rows of a CSV file into another application's form")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Keyferry takes the tedium out of repetitive data entry on the Linux desktop: a template\n"
    "describes once how a form in another application is filled in, and Keyferry types every\n"
    "row of a CSV file or workbook into it, reading each field back. It works on X11, sway,\n"
    "GNOME and KDE Plasma, in its window or from the command line.")
string(JOIN "" CPACK_DEBIAN_PACKAGE_DESCRIPTION ${CPACK_DEBIAN_PACKAGE_DESCRIPTION})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${KEYFERRY_PROJECT_URL})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
# The libraries the programs link come from dpkg-shlibdeps. What no binary links but a run
# needs: the accessibility bus (which fields have the focus, read-back), Qt's SVG image plugin
# for the icons, and a font for the window.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "at-spi2-core, libqt6svg6, fonts-dejavu-core")
# Qt's Wayland platform plugin: without it the window runs through Xwayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
