# Scintilla, the text box: built from its sources with the project's patches applied, as a static
# library of its core and this target's platform layer, Win32 or Qt (no lexers).
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
# The parts copied: both platform layers, so one patched tree serves either build.
set(ontop_scintilla_parts src win32 qt include License.txt version.txt)
set(ontop_scintilla_stamp "${ONTOP_SCINTILLA_SOURCE};${ontop_scintilla_parts}")
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
    foreach(part IN LISTS ontop_scintilla_parts)
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

# One library, `scintilla`: Scintilla's core and the platform layer of this target (its Win32
# layer, or its Qt widget ScintillaEditBase), with the include folders its users need.
file(GLOB ontop_scintilla_core_sources "${ontop_scintilla}/src/*.cxx")
if(WIN32)
    add_library(scintilla STATIC
        ${ontop_scintilla_core_sources}
        "${ontop_scintilla}/win32/PlatWin.cxx"
        "${ontop_scintilla}/win32/ScintillaWin.cxx"
        "${ontop_scintilla}/win32/HanjaDic.cxx"
    )
    # GDI drawing only: DirectWrite under Wine costs hundreds of MiB and draws slower.
    target_compile_definitions(scintilla PRIVATE DISABLE_D2D)
    target_link_libraries(scintilla PUBLIC gdi32 user32 imm32 ole32 uuid oleaut32 msimg32)
else()
    find_package(Qt6 6.2 REQUIRED COMPONENTS Widgets)
    set(ontop_scintilla_qt "${ontop_scintilla}/qt/ScintillaEditBase")
    file(GLOB ontop_scintilla_qt_sources "${ontop_scintilla_qt}/*.cpp" "${ontop_scintilla_qt}/*.h")
    add_library(scintilla STATIC ${ontop_scintilla_core_sources} ${ontop_scintilla_qt_sources})
    set_target_properties(scintilla PROPERTIES AUTOMOC ON)
    target_compile_definitions(scintilla PUBLIC SCINTILLA_QT=1)
    # ScintillaEditBase.h includes the core's headers (Platform.h, Geometry.h) too.
    target_include_directories(scintilla SYSTEM PUBLIC "${ontop_scintilla_qt}" "${ontop_scintilla}/src")
    target_link_libraries(scintilla PUBLIC Qt6::Widgets)
    # Qt 6 deprecates calls the layer still makes for Qt 5's sake.
    target_compile_options(scintilla PRIVATE -Wno-deprecated-declarations)
endif()
# Scintilla's own language level and defines; its warnings are its own, not errors of ours.
set_target_properties(scintilla PROPERTIES CXX_STANDARD 17 CXX_EXTENSIONS OFF)
# No regular expressions: the program never searches, and std::regex is a fifth of the program.
target_compile_definitions(scintilla PRIVATE NDEBUG NO_CXX11_REGEX)
target_include_directories(scintilla PRIVATE "${ontop_scintilla}/src")
target_include_directories(scintilla SYSTEM PUBLIC "${ontop_scintilla}/include")
set(ONTOP_SCINTILLA_LICENSE "${ontop_scintilla}/License.txt")
