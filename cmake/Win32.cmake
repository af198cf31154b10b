# Windows build (MinGW-w64 i686): Tessaly.exe, the Win32 test binaries and their fakes.
enable_language(RC)
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 NOMINMAX STRICT)
add_compile_options(-ffunction-sections -fdata-sections)
add_link_options(-static -Wl,--gc-sections)

# Runs Windows test programs in a private Wine prefix inside this build tree.
set(TESSALY_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TESSALY_WINE_BITS 64)
else()
    set(TESSALY_WINE_BITS 32)
endif()
configure_file(${PROJECT_SOURCE_DIR}/scripts/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)

add_library(tessaly_core STATIC ${TESSALY_CORE_SOURCES})
target_include_directories(tessaly_core PUBLIC ${PROJECT_SOURCE_DIR}/src)

# libjpeg-turbo, SQLite, LZ4 and cJSON, cross-built once per tree from Debian's source packages.
set(TESSALY_DEPS_DIR ${CMAKE_BINARY_DIR}/_deps)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(tessaly_toolchain ${PROJECT_SOURCE_DIR}/cmake/mingw-x86_64.cmake)
else()
    set(tessaly_toolchain ${PROJECT_SOURCE_DIR}/cmake/mingw-i686.cmake)
endif()
# A library built once per tree by SCRIPT, then imported as tessaly_NAME from DEPS/NAME.
function(tessaly_prebuilt_library name script archive)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${script})
    execute_process(COMMAND bash ${script} ${tessaly_toolchain} ${TESSALY_DEPS_DIR} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${name} could not be built (see ${TESSALY_DEPS_DIR}/${name}-build.log)")
    endif()
    add_library(tessaly_${name} STATIC IMPORTED)
    set_target_properties(tessaly_${name} PROPERTIES
        IMPORTED_LOCATION ${TESSALY_DEPS_DIR}/${name}/lib/${archive}
        INTERFACE_INCLUDE_DIRECTORIES ${TESSALY_DEPS_DIR}/${name}/include)
endfunction()
tessaly_prebuilt_library(libjpeg ${PROJECT_SOURCE_DIR}/scripts/build-libjpeg.sh libjpeg.a)
# SQLite reads the browsers' history.
tessaly_prebuilt_library(sqlite ${PROJECT_SOURCE_DIR}/scripts/build-sqlite.sh libsqlite3.a)
# LZ4 unpacks Firefox's compressed files; cJSON reads the browsers' JSON files.
tessaly_prebuilt_library(lz4 ${PROJECT_SOURCE_DIR}/scripts/build-lz4.sh liblz4.a)
tessaly_prebuilt_library(cjson ${PROJECT_SOURCE_DIR}/scripts/build-cjson.sh libcjson.a)
# Its header must see the same linkage as its static build, or it would ask for imports.
set_property(TARGET tessaly_cjson PROPERTY INTERFACE_COMPILE_DEFINITIONS CJSON_HIDE_SYMBOLS)
target_link_libraries(tessaly_core PUBLIC tessaly_sqlite tessaly_lz4 tessaly_cjson)

file(GLOB TESSALY_WIN32_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*/win32/*.cpp)
list(FILTER TESSALY_WIN32_SOURCES EXCLUDE REGEX "/src/app/win32/WinMain\\.cpp$")
add_library(tessaly_win32 STATIC ${TESSALY_WIN32_SOURCES})
# Two templates with one id would silently hand one dialog the other's layout.
file(GLOB tessaly_resource_headers ${PROJECT_SOURCE_DIR}/res/*.h)
set(tessaly_dialog_ids)
foreach(header IN LISTS tessaly_resource_headers)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${header})
    file(STRINGS ${header} lines REGEX "^#define IDD_[A-Z0-9_]+ +[0-9]+")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^#define (IDD_[A-Z0-9_]+) +([0-9]+).*" "\\2" id "${line}")
        if(id IN_LIST tessaly_dialog_ids)
            message(FATAL_ERROR "Dialog id ${id} is used twice (${line})")
        endif()
        list(APPEND tessaly_dialog_ids ${id})
    endforeach()
endforeach()

# Resource headers: dialog and control ids.
target_include_directories(tessaly_win32 PUBLIC ${PROJECT_SOURCE_DIR}/res)
# Only libraries the system always loads from its own folder are imported; the others are
# bound at run time by full path, so a planted copy beside the program never runs. ole32 and
# oleaut32 are bound so too, at their first call (support/win32/OleLibraries.h), to keep them
# out of the start.
target_link_libraries(tessaly_win32 PUBLIC tessaly_core tessaly_libjpeg
    comctl32 shlwapi shell32 uuid advapi32 user32 gdi32)

# The version resource and the manifest carry the project version.
set(TESSALY_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/res/Version.h.in ${TESSALY_GENERATED_DIR}/Version.h @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/res/Tessaly.manifest.in ${TESSALY_GENERATED_DIR}/Tessaly.manifest @ONLY)
# The resource compiler reports no includes, so the templates and ids are named too.
file(GLOB tessaly_resource_parts ${PROJECT_SOURCE_DIR}/res/*.h ${PROJECT_SOURCE_DIR}/res/*Dialogs.rc)
set_source_files_properties(${PROJECT_SOURCE_DIR}/res/Tessaly.rc PROPERTIES
    OBJECT_DEPENDS "${TESSALY_GENERATED_DIR}/Version.h;${TESSALY_GENERATED_DIR}/Tessaly.manifest;${tessaly_resource_parts}")

add_executable(Tessaly WIN32 ${PROJECT_SOURCE_DIR}/src/app/win32/WinMain.cpp ${PROJECT_SOURCE_DIR}/res/Tessaly.rc)
target_include_directories(Tessaly PRIVATE ${TESSALY_GENERATED_DIR})
target_link_libraries(Tessaly PRIVATE tessaly_win32)
# A randomised base and a stack and heap that never run code.
target_link_options(Tessaly PRIVATE -s -Wl,--dynamicbase -Wl,--nxcompat)
set_target_properties(Tessaly PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
# The shipped starter catalogue sits beside the executable.
add_custom_command(TARGET Tessaly POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${PROJECT_SOURCE_DIR}/data/targets.dat ${PROJECT_SOURCE_DIR}/data/Tessaly.dat
            ${CMAKE_BINARY_DIR}/bin/)

# The help file, compiled from help/ and shipped beside the program.
find_program(TESSALY_CHMCMD chmcmd REQUIRED)
file(GLOB TESSALY_HELP_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/help/*)
set(TESSALY_HELP_FILE ${CMAKE_BINARY_DIR}/bin/TSY.chm)
add_custom_command(OUTPUT ${TESSALY_HELP_FILE}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/help
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help ${CMAKE_BINARY_DIR}/help
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/help ${TESSALY_CHMCMD} TSY.hhp
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/help/TSY.chm ${TESSALY_HELP_FILE}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    DEPENDS ${TESSALY_HELP_SOURCES}
    COMMENT "Compiling the help file"
    VERBATIM)
add_custom_target(tessaly_help ALL DEPENDS ${TESSALY_HELP_FILE})
add_test(NAME help.topics COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/check-help.sh ${TESSALY_HELP_FILE}
         ${PROJECT_SOURCE_DIR})

# GoogleTest for the target, built from Debian's sources.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
# Third-party code is built without the project's warning flags.
get_directory_property(tessaly_saved_options COMPILE_OPTIONS)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "")
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
set_directory_properties(PROPERTIES COMPILE_OPTIONS "${tessaly_saved_options}")
include(GoogleTest)
include(cmake/WineTests.cmake)

add_subdirectory(tests/fakes)
add_subdirectory(tests/win32)
set_property(SOURCE ${PROJECT_SOURCE_DIR}/res/Dialogs.rc DIRECTORY ${PROJECT_SOURCE_DIR}/tests/win32
             PROPERTY OBJECT_DEPENDS ${tessaly_resource_parts})
add_subdirectory(tests/e2e)
include(cmake/Package.cmake)
add_subdirectory(tests/install)
if(EXISTS ${PROJECT_SOURCE_DIR}/bench/win32/CMakeLists.txt)
    add_subdirectory(bench/win32)
endif()
