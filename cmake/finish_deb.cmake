# Run by CPack on the staged files of the .deb, after it has installed and
# stripped them and before it packs them; does what Debian's own helpers do
# to a package: drops the compiler's .comment section from the stripped
# program (dh_strip) and adds the package's lintian overrides (dh_lintian).
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
execute_process(
  COMMAND "${CPACK_INTERP1D_OBJCOPY}" --remove-section=.comment "${usr}/${CPACK_INTERP1D_PROGRAM}"
  COMMAND_ERROR_IS_FATAL ANY)
set(overrides "${usr}/share/lintian/overrides")
file(MAKE_DIRECTORY "${overrides}")
file(COPY_FILE "${CPACK_INTERP1D_LINTIAN_OVERRIDES}" "${overrides}/interp1d-tour")
file(CHMOD "${overrides}/interp1d-tour" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
