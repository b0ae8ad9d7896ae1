# Installation the way Linux desktop programs ship, and the Debian package
# built from the same rules (scripts/package).
include(GNUInstallDirs)

set(PRIZMORA_APP_ID org.prizmora.Prizmora)
set(PRIZMORA_ICON_SIZES 16 24 32 48 64 128 256)
set(PRIZMORA_SAMPLES bg.jpg 01.wav 02.wav participants.txt)

# Hardened like Debian's own programs: fortified libc calls, and a global
# offset table made read-only once loaded (relro with bindnow). The
# sanitizer builds have checks of their own.
if(NOT PRIZMORA_SANITIZE AND NOT PRIZMORA_FUZZ)
  foreach(target prizmora_base prizmora_storage prizmora_platform prizmora_platform_qt
      prizmora_draw prizmora_ui_guard prizmora_ui_input prizmora_ui_stage
      prizmora_verify prizmora_ui_main_window prizmora_ui_settings_window prizmora_app prizmora
      prizmora-verify)
    target_compile_options(${target} PRIVATE
      $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE> $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
  endforeach()
  target_link_options(prizmora PRIVATE LINKER:-z,relro LINKER:-z,now)
  target_link_options(prizmora-verify PRIVATE LINKER:-z,relro LINKER:-z,now)
endif()

install(TARGETS prizmora prizmora-verify RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped install (the package) also drops the sections strip keeps but
# nothing reads, as Debian's own packages do.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program prizmora prizmora-verify)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()
")
# The menu entry starts the program through this script, in the user's
# working folder.
install(PROGRAMS ${CMAKE_SOURCE_DIR}/scripts/prizmora-launch DESTINATION ${CMAKE_INSTALL_BINDIR})

list(TRANSFORM PRIZMORA_SAMPLES PREPEND ${CMAKE_SOURCE_DIR}/assets/samples/
  OUTPUT_VARIABLE prizmora_sample_files)
install(FILES ${prizmora_sample_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/prizmora/samples)

install(FILES ${CMAKE_SOURCE_DIR}/assets/icons/hicolor/scalable/apps/${PRIZMORA_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS PRIZMORA_ICON_SIZES)
  set(icon_dir icons/hicolor/${size}x${size}/apps)
  install(FILES ${CMAKE_SOURCE_DIR}/assets/${icon_dir}/${PRIZMORA_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/${icon_dir})
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/InstallDocumentation.cmake)

# The build folder is laid out like a prefix around build/prizmora: the start
# script beside it, the samples and the icon in build/share. A program run
# from there (scripts/run) then writes a desktop launcher that starts it the
# same way, in the user's working folder.
configure_file(${CMAKE_SOURCE_DIR}/scripts/prizmora-launch ${CMAKE_BINARY_DIR}/prizmora-launch
  COPYONLY)
foreach(sample IN LISTS PRIZMORA_SAMPLES)
  configure_file(${CMAKE_SOURCE_DIR}/assets/samples/${sample}
    ${CMAKE_BINARY_DIR}/share/prizmora/samples/${sample} COPYONLY)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/assets/icons/hicolor/256x256/apps/${PRIZMORA_APP_ID}.png
  ${CMAKE_BINARY_DIR}/share/icons/hicolor/256x256/apps/${PRIZMORA_APP_ID}.png COPYONLY)

# The menu entry names the start script by its absolute path, known only once
# the prefix is (cmake --install --prefix, or the package's /usr).
install(CODE "
  set(PRIZMORA_ENTRY_TEMPLATE \"${CMAKE_SOURCE_DIR}/cmake/${PRIZMORA_APP_ID}.desktop.in\")
  set(PRIZMORA_ENTRY_FOLDER \"${CMAKE_BINARY_DIR}/install-entry\")
  set(PRIZMORA_BINDIR \"${CMAKE_INSTALL_BINDIR}\")
  set(PRIZMORA_APPLICATIONS_DIR \"${CMAKE_INSTALL_DATADIR}/applications\")
  include(\"${CMAKE_SOURCE_DIR}/cmake/InstallDesktopEntry.cmake\")
")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME prizmora)
set(CPACK_PACKAGE_VENDOR "Prizmora event team")
set(CPACK_PACKAGE_CONTACT "Prizmora event team <prizmora@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "prize draw for company parties")
set(CPACK_PACKAGE_DESCRIPTION
  "Prizmora runs the prize draw of a company party in front of the audience:\n\
participant lines roll through a big display while music loops, and each\n\
stop picks one winner for the lowest open prize level, records it and lists\n\
it with the time.")
# Staged through DESTDIR with /usr as the prefix, so that the menu entry
# names /usr/bin/prizmora-launch and not the staging folder.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders as Debian wants them (0755) whatever the umask of the build.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://prizmora.example.org")
# Libraries come from dpkg-shlibdeps; what the program loads at run time
# (the X11/Wayland platform plugin, the Chinese button texts, CJK fonts) is
# named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, qt6-translations-l10n, fonts-arphic-uming, fonts-arphic-ukai, fonts-wqy-zenhei")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
