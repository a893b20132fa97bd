# What an installed Kelmora needs: the version both programs report, the
# desktop program's icon and start-up code, and the install rules, which the
# Debian package (debian/) uses as they stand.
#
# Included from the top-level CMakeLists.txt once the programs are defined.

include(GNUInstallDirs)

# One id names the desktop entry, the icon, the AppStream metadata and the
# desktop program itself, so the desktop can tie them together.
set(KELMORA_APP_ID io.github.kelmora.Kelmora)

# ---- the programs ---------------------------------------------------------

target_compile_definitions(kelmora-script PRIVATE KELMORA_VERSION="${PROJECT_VERSION}")
install(TARGETS kelmora-script RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(TARGET kelmora)
  # The icon is compiled in as a Qt resource, so a window shows it even when
  # the program runs from the build folder.
  target_sources(kelmora PRIVATE src/app/app_setup.cpp src/app/app_setup.h src/app/kelmora.qrc)
  set_target_properties(kelmora PROPERTIES AUTORCC ON)
  target_compile_definitions(kelmora PRIVATE
    KELMORA_VERSION="${PROJECT_VERSION}" KELMORA_APP_ID="${KELMORA_APP_ID}")
  install(TARGETS kelmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  # Printing on paper, and the workbook, are modules the program loads when
  # first used, from here: a private folder, so no ldconfig and no soname.
  install(TARGETS kelmora_print kelmora_book_module LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/kelmora)
endif()

# ---- data: manual pages, desktop entry, icon, AppStream metadata ---------
# Prepared in build/data, where the tests validate them, and installed from
# there.

set(KELMORA_DATA_BUILD_DIR ${PROJECT_BINARY_DIR}/data)
# Where the modules go, for the manual page.
set(KELMORA_PRINT_MODULE_PATH ${CMAKE_INSTALL_FULL_LIBDIR}/kelmora/libkelmora_print.so)
set(KELMORA_BOOK_MODULE_PATH ${CMAKE_INSTALL_FULL_LIBDIR}/kelmora/libkelmora_book.so)
set(KELMORA_MAN_PAGES kelmora-script)
if(TARGET kelmora)
  list(APPEND KELMORA_MAN_PAGES kelmora)
endif()

# English pages, and Chinese ones (data/man/zh_CN) beside them.
set(man_outputs)
foreach(lang IN ITEMS en zh_CN)
  set(sub "")
  if(NOT lang STREQUAL en)
    set(sub /${lang})
  endif()
  set(lang_outputs)
  foreach(page IN LISTS KELMORA_MAN_PAGES)
    set(roff ${KELMORA_DATA_BUILD_DIR}/man${sub}/${page}.1)
    configure_file(data/man${sub}/${page}.1.in ${roff} @ONLY)
    # Debian keeps manual pages compressed; -n leaves the time out, so the
    # same page gives the same file.
    add_custom_command(OUTPUT ${roff}.gz
      COMMAND gzip -9 -n -k -f ${roff}
      DEPENDS ${roff}
      COMMENT "Compressing manual page ${lang} ${page}(1)")
    list(APPEND lang_outputs ${roff}.gz)
  endforeach()
  install(FILES ${lang_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}${sub}/man1)
  list(APPEND man_outputs ${lang_outputs})
endforeach()
add_custom_target(kelmora_man_pages ALL DEPENDS ${man_outputs})

if(TARGET kelmora)
  set(KELMORA_DESKTOP_FILE ${KELMORA_DATA_BUILD_DIR}/${KELMORA_APP_ID}.desktop)
  set(KELMORA_METAINFO_FILE ${KELMORA_DATA_BUILD_DIR}/${KELMORA_APP_ID}.metainfo.xml)
  configure_file(data/${KELMORA_APP_ID}.desktop ${KELMORA_DESKTOP_FILE} COPYONLY)
  include(cmake/Releases.cmake)
  kelmora_releases(KELMORA_RELEASES ${PROJECT_SOURCE_DIR}/debian/changelog)
  configure_file(data/${KELMORA_APP_ID}.metainfo.xml.in ${KELMORA_METAINFO_FILE} @ONLY)
  install(FILES ${KELMORA_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${KELMORA_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES data/${KELMORA_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # The renderings of the drawing (scripts/render_icons.sh), for desktops and
  # sizes that do not draw SVG.
  foreach(size IN ITEMS 16 24 32 48 64 128 256)
    install(FILES data/icons/${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
      RENAME ${KELMORA_APP_ID}.png)
  endforeach()
endif()
