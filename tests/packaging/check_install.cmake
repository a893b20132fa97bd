# Installs the build into a scratch root, as the package does (prefix /usr,
# programs stripped), and checks what lands there:
# - the file list: both programs, the printing and workbook modules, the
#   manual pages in English and Chinese, and for the desktop program its
#   entry, icons and AppStream metadata, which AppStream then checks as a
#   whole (the entry the metadata launches, the icon it names);
# - that no installed file names the source or the build folder: an installed
#   program must not look for code where it was built;
# - that printing works from the installed layout: print_probe, put beside
#   the installed program, chooses "打印…" from a window's context menu and
#   must get the print dialog; with the module taken away, the message that
#   printing is not possible; the same for the workbook's module and the
#   main window's 账簿.  No variable points either at the build folder.
foreach(tool grep man file appstreamcli)
  find_program(have_${tool} ${tool})
  if(NOT have_${tool})
    message(FATAL_ERROR "${tool} is needed to check the installed files (scripts/setup.sh installs it)")
  endif()
endforeach()

set(root ${WORK}/root)
file(REMOVE_RECURSE ${root})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${root}/usr --strip
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "install failed: ${rc}")
endif()

set(id io.github.kelmora.Kelmora)
set(wanted
  usr/${BINDIR}/kelmora-script
  usr/share/man/man1/kelmora-script.1.gz
  usr/share/man/zh_CN/man1/kelmora-script.1.gz)
if(GUI)
  list(APPEND wanted
    usr/${BINDIR}/kelmora
    usr/${LIBDIR}/kelmora/libkelmora_book.so
    usr/${LIBDIR}/kelmora/libkelmora_print.so
    usr/share/applications/${id}.desktop
    usr/share/icons/hicolor/scalable/apps/${id}.svg
    usr/share/man/man1/kelmora.1.gz
    usr/share/man/zh_CN/man1/kelmora.1.gz
    usr/share/metainfo/${id}.metainfo.xml)
  foreach(size 16 24 32 48 64 128 256)
    list(APPEND wanted usr/share/icons/hicolor/${size}x${size}/apps/${id}.png)
  endforeach()
endif()
list(SORT wanted)
file(GLOB_RECURSE got RELATIVE ${root} ${root}/*)
list(SORT got)
if(NOT got STREQUAL wanted)
  string(REPLACE ";" "\n  " got "${got}")
  string(REPLACE ";" "\n  " wanted "${wanted}")
  message(FATAL_ERROR "installed:\n  ${got}\nwanted:\n  ${wanted}")
endif()

# No installed file holds the path of the source or the build folder
# (manual pages are compressed: their text is checked before compression).
# Checked builds are never installed: their sanitizers keep every source
# file's path for their reports.
if(NOT SANITIZED)
  execute_process(COMMAND grep -rlF -e ${SOURCE} -e ${BUILD} ${root} ${BUILD}/data
    RESULT_VARIABLE rc OUTPUT_VARIABLE found ERROR_VARIABLE err)
  if(rc EQUAL 0)
    message(FATAL_ERROR "installed files that name ${SOURCE} or ${BUILD}:\n${found}")
  elseif(NOT rc EQUAL 1)
    message(FATAL_ERROR "grep failed: ${err}")
  endif()
endif()

# The manual pages format without a warning, as lintian reads them.
file(GLOB_RECURSE pages ${BUILD}/data/man/*.1)
foreach(page IN LISTS pages)
  set(ENV{LC_ALL} C.UTF-8)
  set(ENV{MANROFFSEQ} "")
  set(ENV{MANWIDTH} 80)
  execute_process(COMMAND man --warnings -E UTF-8 -l -Tutf8 -Z ${page}
    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT err STREQUAL "")
    message(FATAL_ERROR "man ${page}:\n${err}")
  endif()
endforeach()

# The programs find their libraries in the system's folders: no RUNPATH.
file(GLOB_RECURSE elves ${root}/usr/${BINDIR}/* ${root}/usr/${LIBDIR}/*)
foreach(elf IN LISTS elves)
  file(READ ${elf} head LIMIT 4 HEX)
  if(head STREQUAL "7f454c46")
    file(RPATH_CHECK FILE ${elf} RPATH "")
    if(NOT EXISTS ${elf})
      message(FATAL_ERROR "${elf} carries a RUNPATH")
    endif()
  endif()
endforeach()

if(GUI)
  # The screenshot the metadata shows is as wide as software centres want,
  # and as large as the metadata says.
  file(READ ${root}/usr/share/metainfo/io.github.kelmora.Kelmora.metainfo.xml metainfo)
  string(REGEX MATCH "width=\"([0-9]+)\" height=\"([0-9]+)\">[^<]*/data/screenshots/([a-z]+[.]png)<" shot "${metainfo}")
  set(w ${CMAKE_MATCH_1})
  set(h ${CMAKE_MATCH_2})
  execute_process(COMMAND file -b ${SOURCE}/data/screenshots/${CMAKE_MATCH_3} OUTPUT_VARIABLE kind)
  if(NOT shot OR w LESS 620 OR NOT kind MATCHES "^PNG image data, ${w} x ${h},")
    message(FATAL_ERROR "screenshot: the metadata says [${shot}], the file is [${kind}]")
  endif()

  # The desktop finds the icon by the name the entry gives.
  file(STRINGS ${root}/usr/share/applications/${id}.desktop icon REGEX "^Icon=")
  string(REPLACE "Icon=" "" icon "${icon}")
  if(NOT EXISTS ${root}/usr/share/icons/hicolor/scalable/apps/${icon}.svg)
    message(FATAL_ERROR "the desktop entry's icon ${icon} is not installed")
  endif()
  foreach(size 16 24 32 48 64 128 256)
    execute_process(COMMAND file -b ${root}/usr/share/icons/hicolor/${size}x${size}/apps/${icon}.png
      OUTPUT_VARIABLE kind)
    if(NOT kind MATCHES "^PNG image data, ${size} x ${size},")
      message(FATAL_ERROR "the ${size}x${size} icon is not a PNG of that size: ${kind}")
    endif()
  endforeach()
  execute_process(COMMAND appstreamcli validate-tree --pedantic --no-net ${root}
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate-tree:\n${out}")
  endif()
  # The newest release is this version.
  file(READ ${root}/usr/share/metainfo/${id}.metainfo.xml metainfo)
  if(NOT metainfo MATCHES "<releases>[ \n]*<release version=\"${VERSION}\" date=\"[0-9]+-[0-9][0-9]-[0-9][0-9]\"")
    message(FATAL_ERROR "the metadata's newest release is not ${VERSION}")
  endif()

  # Printing, as the installed program finds its module.
  if(NOT PROBE)
    message(FATAL_ERROR "no print_probe given")
  endif()
  unset(ENV{KELMORA_PRINT_MODULE})
  # In a checked build the probe is about where the module is, not about
  # what the print dialog's libraries keep until the end.
  set(ENV{ASAN_OPTIONS} "$ENV{ASAN_OPTIONS}:detect_leaks=0")
  set(probe ${root}/usr/${BINDIR}/print_probe)
  file(COPY ${PROBE} DESTINATION ${root}/usr/${BINDIR})
  execute_process(COMMAND ${probe} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "QPrintDialog\n")
    message(FATAL_ERROR "打印… from the installed layout gave [${out}] (status ${rc}), not the print dialog\n${err}")
  endif()
  # Without the module the same steps must say so: the probe tells the two
  # apart.
  set(module ${root}/usr/${LIBDIR}/kelmora/libkelmora_print.so)
  file(RENAME ${module} ${module}.away)
  execute_process(COMMAND ${probe} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  file(RENAME ${module}.away ${module})
  if(rc EQUAL 0 OR NOT out STREQUAL "message box: 无法打印。\n")
    message(FATAL_ERROR "打印… without the module gave [${out}] (status ${rc})\n${err}")
  endif()

  # The workbook, as the installed program finds its module: the 账簿 menu;
  # without the module, the message that the workbook cannot be used.
  unset(ENV{KELMORA_BOOK_MODULE})
  execute_process(COMMAND ${probe} book RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "bookMenu\n")
    message(FATAL_ERROR "账簿 from the installed layout gave [${out}] (status ${rc}), not its menu\n${err}")
  endif()
  set(module ${root}/usr/${LIBDIR}/kelmora/libkelmora_book.so)
  file(RENAME ${module} ${module}.away)
  execute_process(COMMAND ${probe} book RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  file(RENAME ${module}.away ${module})
  if(rc EQUAL 0 OR NOT out MATCHES "^message box: 无法使用账簿。\n")
    message(FATAL_ERROR "账簿 without the module gave [${out}] (status ${rc})\n${err}")
  endif()
  file(REMOVE ${probe})
endif()
