# Runs in CPack's staging folder before the .deb is made: what Debian's own
# tools (dh_strip, dh_lintian) would do for a package.

# The compiler's version strings, which debug tools do not need either.
execute_process(COMMAND objcopy --remove-section=.comment
                "${CPACK_TEMPORARY_DIRECTORY}/usr/lib/orvanta/orvanta"
                COMMAND_ERROR_IS_FATAL ANY)

# The lintian overrides go into the package only: a plain install has no use for them.
file(MAKE_DIRECTORY "${CPACK_TEMPORARY_DIRECTORY}/usr/share/lintian/overrides")
file(COPY_FILE "${CPACK_ORVANTA_SOURCE_DIR}/lintian-overrides"
     "${CPACK_TEMPORARY_DIRECTORY}/usr/share/lintian/overrides/orvanta")
