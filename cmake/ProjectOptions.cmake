# Warnings and sanitizers as interface targets, linked by every target of ours.
add_library(muwu_warnings INTERFACE)
target_compile_options(muwu_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow)
if(MUWU_WERROR)
  target_compile_options(muwu_warnings INTERFACE -Werror)
endif()

add_library(muwu_sanitizers INTERFACE)
if(MUWU_SANITIZE)
  target_compile_options(muwu_sanitizers INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  target_link_options(muwu_sanitizers INTERFACE -fsanitize=address,undefined)
endif()

add_library(muwu_options INTERFACE)
target_link_libraries(muwu_options INTERFACE muwu_warnings muwu_sanitizers)

# Fuzzing instruments every library of ours; the fuzz targets then link libFuzzer's main.
if(MUWU_BUILD_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "MUWU_BUILD_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
