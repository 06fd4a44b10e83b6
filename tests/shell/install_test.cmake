# Installs the build into a fresh prefix and runs the installed programs from elsewhere, to show
# that they find their data there:
#   cmake -DBUILD=<build folder> -DPREFIX=<folder> -P install_test.cmake
# The environment (set by CTest) points HOME and XDG_CONFIG_HOME at a folder of the test's own.
function(fail)
  message(FATAL_ERROR "install test: ${ARGN}")
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
  RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  fail("cmake --install failed: ${rc}")
endif()

foreach(f bin/muwu bin/muwu-cli share/muwu/01画的字.txt share/muwu/30画的字.txt
          share/muwu/常用字码表.lib share/muwu/繁体_常用字码表.lib share/muwu/常见复姓表.txt
          share/muwu/4.lib share/applications/muwu.desktop
          share/icons/hicolor/256x256/apps/muwu.png)
  if(NOT EXISTS "${PREFIX}/${f}")
    fail("${f} is not installed")
  endif()
endforeach()

# Read whole: a list would take the group header's brackets for its own syntax.
file(READ "${PREFIX}/share/applications/muwu.desktop" entry)
foreach(line "Type=Application" "Name=沐梧取名器" "Exec=muwu" "Icon=muwu")
  string(FIND "${entry}" "\n${line}\n" at)
  if(at EQUAL -1)
    fail("the desktop entry lacks ${line}")
  endif()
endforeach()
string(FIND "${entry}" "[Desktop Entry]\n" at)
if(NOT at EQUAL 0)
  fail("the desktop entry does not begin with its group")
endif()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${PREFIX}/share/applications/muwu.desktop"
    RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    fail("desktop-file-validate rejects the entry")
  endif()
endif()

# The installed command line, started from elsewhere, reads the installed data.
execute_process(COMMAND "${PREFIX}/bin/muwu-cli" analyze --json 张三丰
  WORKING_DIRECTORY / RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out MATCHES "\"total\":32" OR NOT err STREQUAL "")
  fail("installed muwu-cli: ${rc} ${out} ${err}")
endif()

# The installed program starts and waits for its user; the visits are marked done beforehand,
# so it opens nothing.
file(WRITE "$ENV{XDG_CONFIG_HOME}/muwu/沐梧取名器.ini"
  "[参数]\n已经打开官方网页=True\n已经打开作者网页=True\n")
execute_process(COMMAND "${PREFIX}/bin/muwu" WORKING_DIRECTORY / TIMEOUT 4
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc MATCHES "timeout")
  fail("installed muwu ended by itself: ${rc} ${out} ${err}")
endif()
