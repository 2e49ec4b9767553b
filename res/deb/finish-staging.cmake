# SPDX-License-Identifier: GPL-3.0-or-later
# Copyright Velkor
# Run by CPack on the staged files before they are packed: what Debian asks of
# a package beyond a plain installation. The programs lose their symbols and
# the sections no program reads (as Debian's own packages are stripped), the
# manual pages are compressed, and the package documents its copyright and its
# changes in /usr/share/doc and the lintian tags it overrides, with reasons.
set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
set(doc "${root}/share/doc/${CPACK_PACKAGE_NAME}")

# Without a time stamp or a name inside, so the same text packs the same way.
function(gzip_in_place file)
  execute_process(COMMAND gzip -9nf "${file}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${file}: ${status}")
  endif()
endfunction()

file(GLOB programs "${root}/bin/*" "${root}/libexec/*/*")
foreach(program IN LISTS programs)
  execute_process(COMMAND "${CPACK_QUANTARO_STRIP}" --remove-section=.comment --remove-section=.note "${program}"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "strip ${program}: ${status}")
  endif()
endforeach()

file(GLOB_RECURSE pages "${root}/share/man/*.[1-9]")
if(NOT pages)
  message(FATAL_ERROR "no manual pages in ${root}/share/man")
endif()
foreach(page IN LISTS pages)
  gzip_in_place("${page}")
endforeach()

# Not file(INSTALL): CPack has DESTDIR set, which that would put in front of
# the staging path a second time.
file(MAKE_DIRECTORY "${doc}")
file(COPY_FILE "${CPACK_QUANTARO_DEB_DIR}/copyright" "${doc}/copyright")
file(COPY_FILE "${CPACK_QUANTARO_DEB_DIR}/changelog" "${doc}/changelog.Debian")
gzip_in_place("${doc}/changelog.Debian")
set(overrides "${root}/share/lintian/overrides")
file(MAKE_DIRECTORY "${overrides}")
file(COPY_FILE "${CPACK_QUANTARO_DEB_DIR}/lintian-overrides" "${overrides}/${CPACK_PACKAGE_NAME}")
file(CHMOD "${doc}/copyright" "${doc}/changelog.Debian.gz" "${overrides}/${CPACK_PACKAGE_NAME}"
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# Directories are made with the builder's umask; a package's are 0755.
file(GLOB_RECURSE directories LIST_DIRECTORIES true "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*")
foreach(directory IN LISTS directories)
  if(IS_DIRECTORY "${directory}")
    file(CHMOD "${directory}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()
