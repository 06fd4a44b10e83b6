# A fresh home for one Qt test, so settings and the folders the windows look up are the test's
# own: cmake -DHOME=<folder> -P fresh_home.cmake
file(REMOVE_RECURSE "${HOME}")
file(MAKE_DIRECTORY "${HOME}/Desktop" "${HOME}/Documents" "${HOME}/.config" "${HOME}/.local/share/fonts"
     "${HOME}/.cache" "${HOME}/tmp" "${HOME}/runtime")
file(CHMOD "${HOME}/runtime" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
