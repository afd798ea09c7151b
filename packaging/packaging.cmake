# Installation layout (cmake --install) and the Debian package (cpack -G DEB).
# Included at the end of the top-level CMakeLists.txt, after every add_subdirectory, so the
# program target `kinri` exists here whenever the desktop front end is part of the build.
#
# Everything the package ships is installed in the component `kinri`, and CPack packs only that
# component, so whatever else a later install() rule adds (tests, benchmarks, libraries) stays out
# of the .deb unless it names this component.

include(GNUInstallDirs)

set(KINRI_APP_ID "io.github.kinri_keisan.Kinri")
set(KINRI_ICON_SIZES 16 22 24 32 48 64 128 256)
set(_kinri_packaging_dir "${CMAKE_CURRENT_LIST_DIR}")
set(_kinri_icon_svg "${PROJECT_SOURCE_DIR}/resources/icons/kinri.svg")

# --- what is installed where -----------------------------------------------------------------

if(TARGET kinri)
  # The program links only libraries of the system: installed, it needs no RUNPATH (the one
  # qt_standard_project_setup() would give it is for programs shipping their own libraries).
  set_target_properties(kinri PROPERTIES INSTALL_RPATH "")
  install(TARGETS kinri
    RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}"
    COMPONENT kinri)
endif()

install(FILES "${_kinri_packaging_dir}/${KINRI_APP_ID}.desktop"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/applications"
  COMPONENT kinri)

# The metainfo's release carries the project version.
set(KINRI_METAINFO "${CMAKE_BINARY_DIR}/packaging/${KINRI_APP_ID}.metainfo.xml")
configure_file("${_kinri_packaging_dir}/${KINRI_APP_ID}.metainfo.xml.in" "${KINRI_METAINFO}" @ONLY)
install(FILES "${KINRI_METAINFO}"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/metainfo"
  COMPONENT kinri)

install(FILES "${_kinri_icon_svg}"
  DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps"
  RENAME "${KINRI_APP_ID}.svg"
  COMPONENT kinri)

# The package's documentation: the licence as a machine-readable copyright file, the changelog
# and the manual page, compressed the way Debian wants them (gzip -9, no name or time stamp).
set(KINRI_MAINTAINER "金利計算 developers <kinri-keisan@users.noreply.github.com>")
set(_kinri_doc "${CMAKE_BINARY_DIR}/packaging/doc")
file(READ "${PROJECT_SOURCE_DIR}/LICENSE" _license)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  "${PROJECT_SOURCE_DIR}/LICENSE" "${_kinri_packaging_dir}/kinri.1")
if(NOT _license MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(Permission is hereby granted.*)$")
  message(FATAL_ERROR "packaging: LICENSE is not the MIT licence text this file knows how to read")
endif()
set(_copyright "${CMAKE_MATCH_1}")
string(STRIP "${CMAKE_MATCH_2}" _terms)
string(REPLACE "\n\n" "\n.\n" _terms "${_terms}")
string(REPLACE "\n" "\n " _terms "${_terms}")
file(WRITE "${_kinri_doc}/copyright"
  "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
  "Upstream-Name: ${PROJECT_NAME}\n"
  "Upstream-Contact: ${KINRI_MAINTAINER}\n"
  "\n"
  "Files: *\n"
  "Copyright: ${_copyright}\n"
  "License: MIT\n"
  " ${_terms}\n")
configure_file("${_kinri_packaging_dir}/changelog.in" "${_kinri_doc}/changelog" @ONLY)
configure_file("${_kinri_packaging_dir}/kinri.1" "${_kinri_doc}/kinri.1" COPYONLY)
foreach(_doc changelog kinri.1)
  execute_process(COMMAND gzip -9 -n -f "${_kinri_doc}/${_doc}" RESULT_VARIABLE _gzip)
  if(NOT _gzip EQUAL 0)
    message(FATAL_ERROR "packaging: gzip ${_kinri_doc}/${_doc} failed")
  endif()
endforeach()
install(FILES "${_kinri_doc}/copyright" "${_kinri_doc}/changelog.gz"
  DESTINATION "${CMAKE_INSTALL_DOCDIR}"
  COMPONENT kinri)
install(FILES "${_kinri_doc}/kinri.1.gz"
  DESTINATION "${CMAKE_INSTALL_MANDIR}/man1"
  COMPONENT kinri)

foreach(_size IN LISTS KINRI_ICON_SIZES)
  set(_png "${_kinri_packaging_dir}/icons/hicolor/${_size}x${_size}/apps/${KINRI_APP_ID}.png")
  if(NOT EXISTS "${_png}")
    message(FATAL_ERROR "packaging: missing icon ${_png} (packaging/icons/render.sh makes it)")
  endif()
  install(FILES "${_png}"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps"
    COMPONENT kinri)
endforeach()

# --- the Debian package ----------------------------------------------------------------------

if(NOT TARGET kinri)
  message(STATUS "packaging: no `kinri` program target in this build; the .deb is not configured")
  return()
endif()

# Where the built program is, for scripts/package-check.
file(GENERATE OUTPUT "${CMAKE_BINARY_DIR}/kinri-package-info.txt"
  CONTENT "binary=$<TARGET_FILE:kinri>\nversion=${PROJECT_VERSION}\napp_id=${KINRI_APP_ID}\nmetainfo=${KINRI_METAINFO}\n")

# Write the values below into CPackConfig.cmake exactly as given (Japanese text, line breaks).
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "kinri")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "金利計算 developers")
set(CPACK_PACKAGE_CONTACT "${KINRI_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "interest calculator (金利計算) for Japanese-speaking users")
# Lines of at most 80 columns, as the package tools show them.
set(CPACK_PACKAGE_DESCRIPTION
  "金利計算 (Kinri Keisan) is a desktop financial calculator with 37 calculations
of simple and compound interest, savings plans, annuities and instalment loans,
each in a small calculator window. Results are exact to the displayed decimal,
and the conditions and result of every calculation can be printed.
The user interface is in Japanese.")

# Only the program's own component, packed as one package (not one per component).
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};kinri;/")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME "DEB-DEFAULT")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KINRI_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "math")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
# The shared libraries the program links (Qt 6, libstdc++, libc) are found by dpkg-shlibdeps;
# the platform integration plug-ins (xcb and friends) Qt loads at run time are invisible to it
# and are listed here. The windows' icons are fixed-size PNGs, so no SVG engine is needed.
# The IPA gothic is the captions' font (drawn to the metrics the windows were designed for), Noto
# Sans Mono CJK the table's; without them the program falls back to whatever Japanese font there is,
# and one it needs: without any, every text is a row of boxes.
# qt6-wayland holds the Wayland platform plug-in: with it the program runs as a native Wayland
# client on a Wayland desktop; without it Qt falls back to xcb under Xwayland, which still works,
# so it is recommended, not required.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libcups2 is opened when a printout first goes to the printer, not linked, so it is listed here too.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libcups2, fonts-ipafont-gothic | fonts-noto-cjk | fonts-japanese-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "fonts-ipafont-gothic, fonts-noto-cjk, qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
