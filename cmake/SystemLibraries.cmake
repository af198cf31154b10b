# The system's SQLite, LZ4 and cJSON for the native and fuzz builds; the Windows build compiles
# its own from the same Debian sources.
find_package(SQLite3 REQUIRED)
find_path(TESSALY_LZ4_INCLUDE lz4.h REQUIRED)
find_library(TESSALY_LZ4_LIBRARY lz4 REQUIRED)
find_path(TESSALY_CJSON_INCLUDE cjson/cJSON.h REQUIRED)
find_library(TESSALY_CJSON_LIBRARY cjson REQUIRED)
add_library(tessaly_system_libraries INTERFACE)
target_include_directories(tessaly_system_libraries INTERFACE ${TESSALY_LZ4_INCLUDE} ${TESSALY_CJSON_INCLUDE})
target_link_libraries(tessaly_system_libraries INTERFACE SQLite::SQLite3 ${TESSALY_LZ4_LIBRARY}
                                                         ${TESSALY_CJSON_LIBRARY})
