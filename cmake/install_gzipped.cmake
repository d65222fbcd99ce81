# sumbrook_install_gzipped(<file> <destination>): installs <file> compressed
# as Debian wants manual pages and changelogs: gzip -9 without the name or
# time stamp, so the bytes depend on the contents alone.
find_program(SUMBROOK_GZIP gzip REQUIRED)
function(sumbrook_install_gzipped file destination)
  get_filename_component(source ${file} ABSOLUTE)
  get_filename_component(name ${file} NAME)
  set(copy ${CMAKE_CURRENT_BINARY_DIR}/gzipped/${name})
  add_custom_command(OUTPUT ${copy}.gz
                     COMMAND ${CMAKE_COMMAND} -E copy ${source} ${copy}
                     COMMAND ${SUMBROOK_GZIP} -9nf ${copy}
                     DEPENDS ${source}
                     COMMENT "Compressing ${name}"
                     VERBATIM)
  string(MAKE_C_IDENTIFIER "gzip_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${copy}.gz)
  install(FILES ${copy}.gz DESTINATION ${destination})
endfunction()
