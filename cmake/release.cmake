# The Windows release: Lumora.exe built the same, byte for byte, from the
# same sources wherever they are checked out, and the `release` target that
# makes the installer, the portable zip and their checksums from it.

# --- Reproducible Lumora.exe -------------------------------------------------
# No link time stamp in the PE header, and no absolute path of the checkout
# or the build folder in anything the compiler writes.
set(LUMORA_REPRODUCIBLE_FLAGS
    -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
foreach(target lumora_core lumora_win32 Lumora)
    target_compile_options(${target} PRIVATE ${LUMORA_REPRODUCIBLE_FLAGS})
endforeach()
target_link_options(Lumora PRIVATE -Wl,--no-insert-timestamp)
# The application manifest travels in a resource script of its own.
target_sources(Lumora PRIVATE ${CMAKE_SOURCE_DIR}/resources/manifest.rc)
set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/manifest.rc PROPERTIES
    OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/resources/lumora.manifest)

# --- What the installer says about the program -------------------------------
# Read from the exe's VERSIONINFO, so that installer, uninstall entry and
# exe can never disagree.
file(STRINGS ${CMAKE_SOURCE_DIR}/resources/lumora.rc LUMORA_VERSION_LINES
     REGEX "^ *VALUE \"(CompanyName|FileDescription|ProductName|ProductVersion)\"")
foreach(line ${LUMORA_VERSION_LINES})
    if(line MATCHES "VALUE \"([A-Za-z]+)\", \"([^\"]*)\"")
        set(LUMORA_VI_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
    endif()
endforeach()
foreach(key CompanyName FileDescription ProductName ProductVersion)
    if(NOT LUMORA_VI_${key})
        message(FATAL_ERROR "resources/lumora.rc has no VERSIONINFO value ${key}")
    endif()
endforeach()
# "1.84a" -> "1.84.0.0", the numeric form installers carry.
string(REGEX MATCH "^([0-9]+)\\.([0-9]+)" _ "${LUMORA_VI_ProductVersion}")
set(LUMORA_VERSION_NUMBERS "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}.0.0")

# --- The date every file of the release carries -------------------------------
# SOURCE_DATE_EPOCH when given, else the time of the commit being built, else
# a fixed day: never the time of the build.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    set(LUMORA_SOURCE_DATE_EPOCH $ENV{SOURCE_DATE_EPOCH})
else()
    execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE LUMORA_SOURCE_DATE_EPOCH
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET RESULT_VARIABLE git_status)
    if(NOT git_status EQUAL 0 OR NOT LUMORA_SOURCE_DATE_EPOCH MATCHES "^[0-9]+$")
        set(LUMORA_SOURCE_DATE_EPOCH 1767225600)  # 2026-01-01, for a tree without git
    endif()
endif()

# --- The release target ---------------------------------------------------------
find_program(LUMORA_MAKENSIS makensis)
set(RELEASE_OUT ${CMAKE_BINARY_DIR}/release)
set(RELEASE_BASE Lumora-${LUMORA_VI_ProductVersion})
set(RELEASE_FILES
    ${RELEASE_OUT}/${RELEASE_BASE}-setup.exe
    ${RELEASE_OUT}/${RELEASE_BASE}.zip
    ${RELEASE_OUT}/SHA256SUMS)
set(RELEASE_SOURCES
    ${CMAKE_SOURCE_DIR}/release/make-release.sh
    ${CMAKE_SOURCE_DIR}/release/lumora.nsi
    ${CMAKE_SOURCE_DIR}/release/README-Windows.txt)
# The product is the 32-bit build; a 64-bit build of the same sources (for
# the tests on machines that run only 64-bit programs) gets a 64-bit
# installer, so that its tests can run it.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(LUMORA_NSIS_TARGET amd64-unicode)
else()
    set(LUMORA_NSIS_TARGET "")
endif()
add_custom_command(
    OUTPUT ${RELEASE_FILES}
    COMMAND ${CMAKE_COMMAND} -E env
            SOURCE_DATE_EPOCH=${LUMORA_SOURCE_DATE_EPOCH}
            MAKENSIS=${LUMORA_MAKENSIS}
            PRODUCT_NAME=${LUMORA_VI_ProductName}
            PRODUCT_VERSION=${LUMORA_VI_ProductVersion}
            VERSION_NUMBERS=${LUMORA_VERSION_NUMBERS}
            PUBLISHER=${LUMORA_VI_CompanyName}
            DESCRIPTION=${LUMORA_VI_FileDescription}
            NSIS_TARGET=${LUMORA_NSIS_TARGET}
            bash ${CMAKE_SOURCE_DIR}/release/make-release.sh
            $<TARGET_FILE:Lumora> ${ART_OUT}/lumora.ico ${RELEASE_OUT}
    DEPENDS Lumora ${ART_OUT}/lumora.ico ${RELEASE_SOURCES}
    COMMENT "Making the installer, the zip and SHA256SUMS"
    VERBATIM)
# Part of every build, so that the release tests never see stale artefacts.
add_custom_target(release ALL DEPENDS ${RELEASE_FILES})
