# Repairs the debug-symbol package that CPack 3.25 makes: its md5sums name
# files by their path in the staging folder, the debug file is executable, and
# it lacks the copyright that Debian's dbgsym packages reach through a link to
# the documentation of the package they belong to.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.ddeb$")
    continue()
  endif()
  set(root "${CPACK_TOPLEVEL_DIRECTORY}/dbgsym-root")
  file(REMOVE_RECURSE "${root}")
  execute_process(COMMAND dpkg-deb --raw-extract "${package}" "${root}" COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE debug_files RELATIVE "${root}" "${root}/usr/*")
  set(sums "")
  foreach(debug_file IN LISTS debug_files)
    file(CHMOD "${root}/${debug_file}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    file(MD5 "${root}/${debug_file}" sum)
    string(APPEND sums "${sum}  ${debug_file}\n")
  endforeach()
  file(WRITE "${root}/DEBIAN/md5sums" "${sums}")
  file(MAKE_DIRECTORY "${root}/usr/share/doc")
  file(CREATE_LINK orvanta "${root}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym" SYMBOLIC)
  execute_process(COMMAND dpkg-deb --root-owner-group --build "${root}" "${package}"
                  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${root}")
endforeach()
