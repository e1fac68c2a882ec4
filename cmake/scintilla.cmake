# Scintilla, the Windows text box: built from its sources with the project's patches applied, as a
# static library of its Windows half only (no lexers, no other platforms).
#
# ONTOP_SCINTILLA_SOURCE names the folder holding Scintilla 5.3.3's src/, win32/ and include/:
# scripts/scintilla-source.sh fetches Debian's (package scite) and the presets point here; on
# Windows itself, unpack scintilla533.zip from scintilla.org and name its scintilla folder.
set(ONTOP_SCINTILLA_SOURCE "${PROJECT_SOURCE_DIR}/build/scintilla/scite-5.3.3/scintilla"
    CACHE PATH "Scintilla 5.3.3's source folder (holding src/, win32/ and include/)")

set(ontop_scintilla_version 533)
if(NOT EXISTS "${ONTOP_SCINTILLA_SOURCE}/version.txt")
    message(FATAL_ERROR
        "Scintilla's sources are not at ONTOP_SCINTILLA_SOURCE=${ONTOP_SCINTILLA_SOURCE}. "
        "Run scripts/scintilla-source.sh (Debian), or unpack Scintilla 5.3.3 and set "
        "-DONTOP_SCINTILLA_SOURCE=<its scintilla folder>.")
endif()
file(STRINGS "${ONTOP_SCINTILLA_SOURCE}/version.txt" ontop_found_version LIMIT_COUNT 1)
if(NOT ontop_found_version STREQUAL ontop_scintilla_version)
    message(FATAL_ERROR "${ONTOP_SCINTILLA_SOURCE} holds Scintilla ${ontop_found_version}; "
                        "the project's patches are for ${ontop_scintilla_version} (5.3.3).")
endif()

# A patched copy in the build folder, made again whenever a patch or the source folder changes.
file(GLOB ontop_scintilla_patches CONFIGURE_DEPENDS
     "${PROJECT_SOURCE_DIR}/third_party/scintilla/*.patch")
list(SORT ontop_scintilla_patches)
set(ontop_scintilla_stamp "${ONTOP_SCINTILLA_SOURCE}")
foreach(patch_file IN LISTS ontop_scintilla_patches)
    file(SHA256 "${patch_file}" patch_hash)
    string(APPEND ontop_scintilla_stamp ";${patch_hash}")
endforeach()
set(ontop_scintilla "${CMAKE_BINARY_DIR}/scintilla")
set(ontop_scintilla_stamp_file "${ontop_scintilla}/ontop-patched.stamp")
set(ontop_old_stamp "")
if(EXISTS "${ontop_scintilla_stamp_file}")
    file(READ "${ontop_scintilla_stamp_file}" ontop_old_stamp)
endif()
if(NOT ontop_old_stamp STREQUAL ontop_scintilla_stamp)
    find_program(ONTOP_PATCH_PROGRAM patch REQUIRED)
    file(REMOVE_RECURSE "${ontop_scintilla}")
    foreach(part src win32 include License.txt version.txt)
        file(COPY "${ONTOP_SCINTILLA_SOURCE}/${part}" DESTINATION "${ontop_scintilla}")
    endforeach()
    foreach(patch_file IN LISTS ontop_scintilla_patches)
        execute_process(COMMAND "${ONTOP_PATCH_PROGRAM}" -p1 --forward --batch -i "${patch_file}"
                        WORKING_DIRECTORY "${ontop_scintilla}"
                        RESULT_VARIABLE patch_result OUTPUT_VARIABLE patch_output
                        ERROR_VARIABLE patch_output)
        if(NOT patch_result EQUAL 0)
            message(FATAL_ERROR "${patch_file} does not apply to Scintilla:\n${patch_output}")
        endif()
    endforeach()
    file(WRITE "${ontop_scintilla_stamp_file}" "${ontop_scintilla_stamp}")
    message(STATUS "Scintilla patched in ${ontop_scintilla}")
endif()

file(GLOB ontop_scintilla_core_sources "${ontop_scintilla}/src/*.cxx")
add_library(scintilla STATIC
    ${ontop_scintilla_core_sources}
    "${ontop_scintilla}/win32/PlatWin.cxx"
    "${ontop_scintilla}/win32/ScintillaWin.cxx"
    "${ontop_scintilla}/win32/HanjaDic.cxx"
)
# Scintilla's own language level and defines; its warnings are its own, not errors of ours.
set_target_properties(scintilla PROPERTIES CXX_STANDARD 17 CXX_EXTENSIONS OFF)
# GDI drawing only: DirectWrite under Wine costs hundreds of MiB and draws slower. No regular
# expressions: the program never searches, and std::regex is a fifth of the program.
target_compile_definitions(scintilla PRIVATE NDEBUG DISABLE_D2D NO_CXX11_REGEX)
target_include_directories(scintilla PRIVATE "${ontop_scintilla}/src")
target_include_directories(scintilla SYSTEM PUBLIC "${ontop_scintilla}/include")
target_link_libraries(scintilla PUBLIC gdi32 user32 imm32 ole32 uuid oleaut32 msimg32)
set(ONTOP_SCINTILLA_LICENSE "${ontop_scintilla}/License.txt")
