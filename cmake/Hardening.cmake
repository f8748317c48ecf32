# Optimised builds carry the hardening a distribution expects of a program
# (lintian checks the package for it). Debian's own build passes these flags
# itself through dpkg-buildflags, with the build type None.
option(ZENTAVO_HARDEN "Build optimised configurations with stack protection, fortified functions and read-only relocations" ON)
if(ZENTAVO_HARDEN AND NOT ZENTAVO_SANITIZE AND NOT ZENTAVO_FUZZ
   AND CMAKE_BUILD_TYPE MATCHES "^(Release|RelWithDebInfo|MinSizeRel)$")
  add_compile_options(-fstack-protector-strong -fstack-clash-protection
                      -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
endif()
