# What an installed Kelmora needs: the version both programs report, the
# desktop program's icon and start-up code, the install rules, and the Debian
# package (`cpack -G DEB` in the build folder).
#
# Included from the top-level CMakeLists.txt once the programs are defined.

include(GNUInstallDirs)

# One id names the desktop entry, the icon, the AppStream metadata and the
# desktop program itself, so the desktop can tie them together.
set(KELMORA_APP_ID io.github.kelmora.Kelmora)
set(KELMORA_HOMEPAGE https://github.com/kelmora/kelmora)
set(KELMORA_MAINTAINER "Kelmora developers <kelmora@users.noreply.github.com>")

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
  # Printing on paper is a module the program loads when the user first
  # prints; the program looks for it beside itself (the build folder) and
  # here.
  install(TARGETS kelmora_print LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/kelmora)
endif()

# ---- data: manual pages, desktop entry, icon, AppStream metadata ---------
# Prepared in build/data, where the tests validate them, and installed from
# there.

set(KELMORA_DATA_BUILD_DIR ${PROJECT_BINARY_DIR}/data)
set(KELMORA_MAN_PAGES kelmora-script)
if(TARGET kelmora)
  list(APPEND KELMORA_MAN_PAGES kelmora)
endif()

set(man_outputs)
foreach(page IN LISTS KELMORA_MAN_PAGES)
  set(roff ${KELMORA_DATA_BUILD_DIR}/man/${page}.1)
  configure_file(data/man/${page}.1.in ${roff} @ONLY)
  # Debian keeps manual pages compressed; -n leaves the time out, so the same
  # page gives the same file.
  add_custom_command(OUTPUT ${roff}.gz
    COMMAND gzip -9 -n -k -f ${roff}
    DEPENDS ${roff}
    COMMENT "Compressing manual page ${page}(1)")
  list(APPEND man_outputs ${roff}.gz)
endforeach()
add_custom_target(kelmora_man_pages ALL DEPENDS ${man_outputs})
install(FILES ${man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(TARGET kelmora)
  set(KELMORA_DESKTOP_FILE ${KELMORA_DATA_BUILD_DIR}/${KELMORA_APP_ID}.desktop)
  set(KELMORA_METAINFO_FILE ${KELMORA_DATA_BUILD_DIR}/${KELMORA_APP_ID}.metainfo.xml)
  configure_file(data/${KELMORA_APP_ID}.desktop ${KELMORA_DESKTOP_FILE} COPYONLY)
  configure_file(data/${KELMORA_APP_ID}.metainfo.xml.in ${KELMORA_METAINFO_FILE} @ONLY)
  install(FILES ${KELMORA_DESKTOP_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${KELMORA_METAINFO_FILE} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES data/${KELMORA_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()

# ---- the Debian package ---------------------------------------------------

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelmora)
set(CPACK_PACKAGE_VENDOR "Kelmora developers")
set(CPACK_PACKAGE_CONTACT "${KELMORA_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL ${KELMORA_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "journal entries of business transactions - 经济业务会计分录计算")
set(CPACK_PACKAGE_DESCRIPTION [=[
Kelmora works out the journal entries of business transactions under the
Chinese accounting rules. Find a transaction by typing its name or through
the menus, type its amounts, rates and periods, and Kelmora prints each
account with its side, debit or credit, and the amount, together with
figures such as interest, tax, depreciation or exchange difference. About
180 transactions are covered, from cash and notes to fixed assets, taxes,
foreign exchange, imports and exports, with simple financial statements and
a payroll window. The program's text is in Simplified Chinese.

Kelmora 按中国会计制度计算经济业务的会计分录。输入业务名称或从菜单中
选择业务，填入金额、利率和期限，即列出每个账户的借贷方向和金额，并给出
利息、税金、折旧、汇兑差额等数字。涵盖约 180 种业务，从现金、票据到
固定资产、税金、外汇和进出口，另有简易财务报表和工资窗口。

The package also holds kelmora-script, which plays a script of user actions
without a display and writes what the windows show.
]=])

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: the font the Chinese text needs, Qt's own
# words in Chinese.
if(TARGET kelmora)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei, qt6-translations-l10n")
endif()
# Installed programs carry no debugging information.
set(CPACK_STRIP_FILES ON)

include(CPack)
