# The hardening Debian builds its packages with: position-independent
# executables, a stack protector, full RELRO with immediate binding, and
# glibc's checked string and memory functions where the code is optimised.
option(SUMBROOK_HARDEN "Build with hardening flags (PIE, stack protector, RELRO, fortify)" ON)
if(NOT SUMBROOK_HARDEN)
  return()
endif()
# Windows programs are PE images: PIE and RELRO are ELF's, and mingw-w64's
# linker already marks them for ASLR and DEP (--dynamicbase, --nxcompat).
if(WIN32)
  return()
endif()

# Windows executables get their address-space randomisation and
# no-execute data from the PE flags, which mingw-w64's linker sets itself.
if(WIN32)
  add_link_options(LINKER:--dynamicbase LINKER:--nxcompat LINKER:--high-entropy-va)
  return()
endif()

include(CheckPIESupported)
check_pie_supported(OUTPUT_VARIABLE pie_problem LANGUAGES CXX)
if(NOT CMAKE_CXX_LINK_PIE_SUPPORTED)
  message(FATAL_ERROR "The linker cannot make position-independent executables "
                      "(configure with -DSUMBROOK_HARDEN=OFF to build without): ${pie_problem}")
endif()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong)
add_link_options(LINKER:-z,relro,-z,now)
# Fortify needs optimisation, and the sanitizers check the same calls through
# their own interceptors, which the fortified wrappers would bypass. -U first,
# as some compilers define it already.
if(NOT SUMBROOK_SANITIZE AND NOT SUMBROOK_TSAN)
  add_compile_options($<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE> $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
endif()
