# Installs the build into a scratch DESTDIR under /usr and checks what a user
# of the installed program relies on: both programs on the PATH and working,
# a menu entry whose Exec and Icon resolve to installed files, the metadata
# of the software centre with this version, the compressed manual pages,
# the README, and the copyright file and changelog Debian asks for.
# Usage: cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DSCRATCH=... -DVERSION=... -P check_install.cmake

set(problems "")
# expect(<message> <condition>...): notes the message when the condition fails.
macro(expect message)
  if(NOT (${ARGN}))
    list(APPEND problems "${message}")
  endif()
endmacro()

file(REMOVE_RECURSE ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${SCRATCH}/root
                        ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
set(usr ${SCRATCH}/root/usr)

# The command-line tool runs from where it was installed.
file(WRITE ${SCRATCH}/abc.txt "abc")
execute_process(COMMAND ${usr}/bin/sumbrook-cli --md5 ${SCRATCH}/abc.txt
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(FIND "${out}" "MD5：900150983CD24FB0D6963F7D28E17F72" at)
expect("installed sumbrook-cli gave rc=${rc}: ${out}${err}" rc EQUAL 0 AND at GREATER -1)
execute_process(COMMAND ${usr}/bin/sumbrook-cli --version OUTPUT_VARIABLE out)
string(FIND "${out}" "${VERSION}" at)
expect("sumbrook-cli --version does not say ${VERSION}: ${out}" at GREATER -1)

# The menu entry: one, named by the application id, starting an installed
# program and showing an icon the theme has in the size menus ask for.
file(GLOB entries ${usr}/share/applications/*.desktop)
list(LENGTH entries count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one desktop entry, found: ${entries}")
endif()
get_filename_component(app_id ${entries} NAME_WLE)
file(STRINGS ${entries} exec REGEX "^Exec=")
file(STRINGS ${entries} icon REGEX "^Icon=")
string(REGEX REPLACE "^Exec=([^ ]+).*" "\\1" exec "${exec}")
string(REGEX REPLACE "^Icon=" "" icon "${icon}")
expect("the entry starts '${exec}', which is not installed in bin" EXISTS "${usr}/bin/${exec}")
expect("no 48x48 icon '${icon}'" EXISTS "${usr}/share/icons/hicolor/48x48/apps/${icon}.png")
expect("no scalable icon '${icon}'" EXISTS "${usr}/share/icons/hicolor/scalable/apps/${icon}.svg")

# The software centre's metadata: found by the same id, launching the entry,
# releasing this version.
set(metainfo ${usr}/share/metainfo/${app_id}.metainfo.xml)
if(EXISTS ${metainfo})
  file(READ ${metainfo} xml)
  string(FIND "${xml}" "<launchable type=\"desktop-id\">${app_id}.desktop</launchable>" at)
  expect("the metainfo does not launch ${app_id}.desktop" at GREATER -1)
  string(FIND "${xml}" "<release version=\"${VERSION}\"" at)
  expect("the metainfo's release is not ${VERSION}" at GREATER -1)
else()
  list(APPEND problems "no metainfo ${app_id}.metainfo.xml")
endif()

foreach(program sumbrook sumbrook-cli)
  expect("the manual page of ${program} is not installed" EXISTS "${usr}/share/man/man1/${program}.1.gz")
endforeach()
expect("the bash completion is not installed" EXISTS "${usr}/share/bash-completion/completions/sumbrook-cli")
foreach(doc README.md copyright changelog.gz)
  expect("${doc} is not installed" EXISTS "${usr}/share/doc/sumbrook/${doc}")
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "The installed tree lacks what a user needs:\n  ${text}")
endif()
file(REMOVE_RECURSE ${SCRATCH})
