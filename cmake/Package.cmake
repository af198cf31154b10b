# The installer and the portable package of this tree's program (scripts/package.sh), made
# with every build because the install test runs them. The 32-bit tree makes the shipped ones;
# the 64-bit tree a variant for 64-bit Wine.
find_program(TESSALY_MAKENSIS makensis REQUIRED)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(tessaly_package_arch amd64)
    set(tessaly_package_flavour x64-test)
else()
    set(tessaly_package_arch x86)
    set(tessaly_package_flavour "")
endif()
set(TESSALY_DIST_DIR ${CMAKE_BINARY_DIR}/dist)
set(TESSALY_PACKAGE_NAME Tessaly-${PROJECT_VERSION})
if(tessaly_package_flavour)
    string(APPEND TESSALY_PACKAGE_NAME -${tessaly_package_flavour})
endif()
set(TESSALY_SETUP ${TESSALY_DIST_DIR}/${TESSALY_PACKAGE_NAME}-setup.exe)
set(TESSALY_PORTABLE ${TESSALY_DIST_DIR}/${TESSALY_PACKAGE_NAME}-portable.zip)

# The help file beside the program is packed with it.
add_custom_command(OUTPUT ${TESSALY_SETUP} ${TESSALY_PORTABLE} ${TESSALY_DIST_DIR}/SHA256SUMS
    COMMAND ${CMAKE_COMMAND} -E env MAKENSIS=${TESSALY_MAKENSIS}
            bash ${PROJECT_SOURCE_DIR}/scripts/package.sh $<TARGET_FILE_DIR:Tessaly> ${TESSALY_DIST_DIR}
            ${PROJECT_VERSION} ${tessaly_package_arch} ${tessaly_package_flavour}
    DEPENDS Tessaly $<TARGET_FILE:Tessaly> tessaly_help ${TESSALY_HELP_FILE} ${PROJECT_SOURCE_DIR}/scripts/package.sh
            ${PROJECT_SOURCE_DIR}/installer/Tessaly.nsi ${PROJECT_SOURCE_DIR}/installer/Notice.txt
            ${PROJECT_SOURCE_DIR}/installer/ReadMe.txt ${PROJECT_SOURCE_DIR}/installer/portable.ini
            ${PROJECT_SOURCE_DIR}/res/Tessaly.ico ${PROJECT_SOURCE_DIR}/res/Banner.jpg ${PROJECT_SOURCE_DIR}/res/BannerBack.jpg
            ${PROJECT_SOURCE_DIR}/scripts/make-installer-pictures.sh
            ${PROJECT_SOURCE_DIR}/data/targets.dat ${PROJECT_SOURCE_DIR}/data/Tessaly.dat
    COMMENT "Packaging ${TESSALY_PACKAGE_NAME}"
    VERBATIM)
add_custom_target(tessaly_package ALL DEPENDS ${TESSALY_SETUP} ${TESSALY_PORTABLE})
