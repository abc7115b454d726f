# The Debian package: velmora_VERSION_ARCH.deb, made by `cpack -G DEB` (see
# scripts/package). Library dependencies come from dpkg-shlibdeps; what the
# binaries do not link but need at run time is named here.
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/velmora)
install(FILES debian/copyright DESTINATION ${doc_dir})
configure_file(debian/changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  COMMAND gzip -9 -n -c ${CMAKE_CURRENT_BINARY_DIR}/changelog > ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz
  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog VERBATIM)
add_custom_target(velmora_changelog ALL DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <velmora@users.noreply.github.com>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "turn text into music and MIDI files")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Velmora turns text into music. Every character of a text goes through one"
  "of twelve letter tables, each a scale with its own flavour, to a note or a"
  "rest; the notes fall on a rhythm grid with accents, and chords join at line"
  "starts, word starts and beats. The music plays live through a built-in"
  "General MIDI synthesizer or a MIDI port, and is exported as Standard MIDI"
  "Files (with the text as lyrics on request), rendered as sound files, or"
  "written as scores with the text under its notes (MusicXML, and PDF"
  "through LilyPond)."
  "."
  "The package holds the window (velmora) and the command-line tool"
  "(velmora-cli).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/velmora/velmora)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The built-in synthesizer needs a General MIDI soundfont, and the window Qt's
# platform plugins for X11 and for Wayland sessions without XWayland; Qt's own
# Japanese texts come with the translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | fluid-soundfont-gm, qt6-qpa-plugins, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
# PDF scores are typeset by LilyPond's musicxml2ly and lilypond.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "lilypond")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
