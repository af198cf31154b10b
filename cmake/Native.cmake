# Native (Linux) build: the portable core, its unit tests, benchmarks.
find_package(GTest REQUIRED)
include(GoogleTest)
include(${PROJECT_SOURCE_DIR}/cmake/SystemLibraries.cmake)

set(TESSALY_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)

add_library(tessaly_core STATIC ${TESSALY_CORE_SOURCES})
target_include_directories(tessaly_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tessaly_core PUBLIC tessaly_system_libraries)
if(TESSALY_SANITIZE)
    target_compile_options(tessaly_core PUBLIC ${TESSALY_SANITIZER_FLAGS})
    target_link_options(tessaly_core PUBLIC ${TESSALY_SANITIZER_FLAGS})
endif()

# Benchmarks measure an optimised, uninstrumented copy of the core.
add_library(tessaly_core_opt STATIC ${TESSALY_CORE_SOURCES})
target_include_directories(tessaly_core_opt PUBLIC ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(tessaly_core_opt PUBLIC tessaly_system_libraries)
target_compile_options(tessaly_core_opt PRIVATE -O2)

add_subdirectory(tests/fakes)
add_subdirectory(tests/unit)
add_subdirectory(tests/browsers)
add_subdirectory(bench)
