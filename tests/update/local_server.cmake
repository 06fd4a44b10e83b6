# A real HTTP(S) server on 127.0.0.1 for the download tests and the download benchmark.
# Debian's cpp-httplib is a compiled library with TLS support; pkg-config gives its flags.
include_guard(GLOBAL)

find_package(PkgConfig REQUIRED)
pkg_check_modules(HTTPLIB REQUIRED IMPORTED_TARGET cpp-httplib)
find_package(Threads REQUIRED)
add_library(muwu_local_server STATIC
  ${CMAKE_CURRENT_LIST_DIR}/local_server.cpp ${CMAKE_CURRENT_LIST_DIR}/loopback_http.h)
target_include_directories(muwu_local_server PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(muwu_local_server PUBLIC PkgConfig::HTTPLIB Threads::Threads)
