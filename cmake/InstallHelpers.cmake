# Helpers for the files installed beside the programs.

# co_install_man_page(SOURCE): the roff page with the version and release date filled in,
# compressed as Debian wants it, into the section its name ends with.
function(co_install_man_page source)
  get_filename_component(name ${source} NAME)
  string(REGEX REPLACE ".*\\.([0-9])$" "\\1" section ${name})
  set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${name})
  configure_file(${source} ${page} @ONLY)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND gzip -9 -n -c ${page} > ${page}.gz
    DEPENDS ${page} VERBATIM)
  add_custom_target(man_${name} ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
endfunction()

# co_install_app_icons(SVG): the scalable icon and PNGs rendered from it at the sizes launchers
# ask for, under hicolor, named by the application id. Without rsvg-convert only the SVG is
# installed.
set(CODEORCHARDIST_ICON_SIZES 16 24 32 48 64 128 256)
function(co_install_app_icons svg)
  set(theme ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${svg} DESTINATION ${theme}/scalable/apps RENAME ${CODEORCHARDIST_APP_ID}.svg)
  find_program(RSVG_CONVERT rsvg-convert)
  if(NOT RSVG_CONVERT)
    message(WARNING "rsvg-convert not found: the PNG icons are not built (apt-get install librsvg2-bin)")
    return()
  endif()
  set(pngs)
  foreach(size ${CODEORCHARDIST_ICON_SIZES})
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${CODEORCHARDIST_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${svg}
      DEPENDS ${svg} VERBATIM)
    list(APPEND pngs ${png})
    install(FILES ${png} DESTINATION ${theme}/${size}x${size}/apps)
  endforeach()
  add_custom_target(app_icons ALL DEPENDS ${pngs})
endfunction()
