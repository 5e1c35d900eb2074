# The program's library, the program and the unit tests once more, built with
# AddressSanitizer and UndefinedBehaviorSanitizer. The first error ends the
# process. The end-to-end tests run again against this program (see
# tests/CMakeLists.txt).
set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -g)

add_library(glut_alap_core_sanitized STATIC ${GLUT_ALAP_CORE_SOURCES})
target_include_directories(glut_alap_core_sanitized
  PUBLIC ${PROJECT_SOURCE_DIR}/src
  PRIVATE $<TARGET_PROPERTY:GLUT::GLUT,INTERFACE_INCLUDE_DIRECTORIES>)
target_compile_options(glut_alap_core_sanitized PUBLIC ${SANITIZE})
target_link_options(glut_alap_core_sanitized PUBLIC ${SANITIZE})
glut_alap_warnings(glut_alap_core_sanitized)

add_executable(glut-alap-sanitized ${PROJECT_SOURCE_DIR}/src/app/main.cpp)
target_link_libraries(glut-alap-sanitized PRIVATE glut_alap_core_sanitized OpenGL::GL GLUT::GLUT)
glut_alap_warnings(glut-alap-sanitized)

# Sanitizer settings built into each sanitized executable. Leaks that the GL
# driver, X libraries and the toolkit keep until exit are theirs; only those
# libraries are named in the suppressions file.
target_sources(glut_alap_core_sanitized INTERFACE ${CMAKE_CURRENT_SOURCE_DIR}/sanitizer_options.cpp)
target_compile_definitions(glut_alap_core_sanitized
  INTERFACE LSAN_SUPPRESSIONS="${CMAKE_CURRENT_SOURCE_DIR}/lsan.supp")

glut_alap_unit_tests(_sanitized glut_alap_core_sanitized)
