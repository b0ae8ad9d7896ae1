# What a Debian system expects beside a program: manual pages, the license as
# a machine-readable copyright file with the changelog beside it, AppStream
# metadata for the software centres, and lintian's accepted findings.

find_program(PRIZMORA_GZIP gzip REQUIRED)

# gzip -9n: no file name and no time stamp in the header, so the same sources
# always give the same bytes (a reproducible package).
set(prizmora_compressed_folder ${CMAKE_BINARY_DIR}/compressed-docs)
set(prizmora_compressed_docs)
foreach(source docs/man/prizmora.1 docs/man/prizmora-launch.1 docs/man/prizmora-verify.1
    packaging/changelog)
  get_filename_component(name ${source} NAME)
  set(plain ${prizmora_compressed_folder}/${name})
  add_custom_command(OUTPUT ${plain}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${source} ${plain}
    COMMAND ${PRIZMORA_GZIP} -9nf ${plain}
    DEPENDS ${CMAKE_SOURCE_DIR}/${source}
    COMMENT "Compressing ${source}"
    VERBATIM)
  list(APPEND prizmora_compressed_docs ${plain}.gz)
endforeach()
add_custom_target(prizmora_documentation ALL DEPENDS ${prizmora_compressed_docs})

install(FILES
  ${prizmora_compressed_folder}/prizmora.1.gz
  ${prizmora_compressed_folder}/prizmora-launch.1.gz
  ${prizmora_compressed_folder}/prizmora-verify.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The package is named prizmora, not after the project's capitalised name.
install(FILES
  ${CMAKE_SOURCE_DIR}/packaging/copyright
  ${prizmora_compressed_folder}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/prizmora)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/${PRIZMORA_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME prizmora)
