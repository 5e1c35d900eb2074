# Checks that read the code or the built binary instead of running it.

find_program(CLANG_TIDY NAMES clang-tidy clang-tidy-14 REQUIRED)
find_program(CPPCHECK NAMES cppcheck REQUIRED)
find_program(CLANG_FORMAT NAMES clang-format clang-format-14 REQUIRED)
find_program(READELF NAMES readelf REQUIRED)

file(GLOB_RECURSE PROGRAM_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*.cpp)
file(GLOB_RECURSE FORMATTED_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
  ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h)

# The checks of .clang-tidy, every finding an error.
add_test(NAME check.clang-tidy
  COMMAND ${CLANG_TIDY} -p ${PROJECT_BINARY_DIR} --quiet --warnings-as-errors=* ${PROGRAM_SOURCES})

add_test(NAME check.cppcheck
  COMMAND ${CPPCHECK} --quiet --error-exitcode=1 --inline-suppr
          --enable=warning,style,performance,portability --std=c++17
          --suppress=missingIncludeSystem -I ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/src)

add_test(NAME check.clang-format
  COMMAND ${CLANG_FORMAT} --dry-run --Werror ${FORMATTED_SOURCES})

add_test(NAME check.hardened-binary
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check-hardening.sh ${READELF} $<TARGET_FILE:glut-alap>)

set_tests_properties(check.clang-tidy check.cppcheck check.clang-format check.hardened-binary
  PROPERTIES LABELS check)

# What `cmake --install` lays out, installed into a folder of the build.
add_test(NAME check.install-layout
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check-install.sh ${PROJECT_BINARY_DIR} ${PROJECT_BINARY_DIR}/stage)
set_tests_properties(check.install-layout PROPERTIES LABELS check)

# The Debian package: built, installed, run and removed again (the install
# only where CI=true, since it changes the machine).
add_test(NAME check.debian-package
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/check-package.sh ${PROJECT_BINARY_DIR})
set_tests_properties(check.debian-package PROPERTIES LABELS check RESOURCE_LOCK x_display TIMEOUT 300)
