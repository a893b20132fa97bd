# Installs the build into a scratch root, as the package does (prefix /usr),
# and checks what lands there: both programs, the manual pages, and for the
# desktop program its entry, icon and AppStream metadata, which AppStream then
# checks as a whole (the entry the metadata launches, the icon it names).
set(root ${WORK}/root)
file(REMOVE_RECURSE ${root})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${root}/usr
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()

set(id io.github.kelmora.Kelmora)
set(wanted usr/bin/kelmora-script usr/share/man/man1/kelmora-script.1.gz)
if(GUI)
  list(APPEND wanted
    usr/bin/kelmora
    usr/${LIBDIR}/kelmora/libkelmora_print.so
    usr/share/applications/${id}.desktop
    usr/share/icons/hicolor/scalable/apps/${id}.svg
    usr/share/man/man1/kelmora.1.gz
    usr/share/metainfo/${id}.metainfo.xml)
endif()
list(SORT wanted)
file(GLOB_RECURSE got RELATIVE ${root} ${root}/*)
list(SORT got)
if(NOT got STREQUAL wanted)
  string(REPLACE ";" "\n  " got "${got}")
  string(REPLACE ";" "\n  " wanted "${wanted}")
  message(FATAL_ERROR "installed:\n  ${got}\nwanted:\n  ${wanted}")
endif()

if(GUI)
  # The desktop finds the icon by the name the entry gives.
  file(STRINGS ${root}/usr/share/applications/${id}.desktop icon REGEX "^Icon=")
  string(REPLACE "Icon=" "" icon "${icon}")
  if(NOT EXISTS ${root}/usr/share/icons/hicolor/scalable/apps/${icon}.svg)
    message(FATAL_ERROR "the desktop entry's icon ${icon} is not installed")
  endif()
  execute_process(COMMAND appstreamcli validate-tree --no-net ${root}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate-tree:\n${out}")
  endif()
endif()
