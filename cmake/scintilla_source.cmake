# Scintilla's source for the build: found, fetched when missing, checked and patched into a copy
# in the build folder, ${ontop_scintilla}. Included by scintilla.cmake.
#
# ONTOP_SCINTILLA_SOURCE names a folder holding Scintilla 5.3.3's src/, win32/, qt/ and include/.
# Left empty, the pinned tarball of Debian's scite package (third_party/scintilla/source.txt) is
# used from ONTOP_SCINTILLA_CACHE, and fetched from Debian's archive into it when missing there,
# as scripts/scintilla_source.py does (which also tries the system's own Debian mirrors).
set(ONTOP_SCINTILLA_SOURCE "" CACHE PATH
    "Scintilla 5.3.3's source folder (holding src/, win32/, qt/ and include/); empty: Debian's pinned source")
set(ontop_default_scintilla_cache "${PROJECT_SOURCE_DIR}/build/scintilla-cache")
if(DEFINED ENV{ONTOP_SCINTILLA_CACHE} AND NOT "$ENV{ONTOP_SCINTILLA_CACHE}" STREQUAL "")
    set(ontop_default_scintilla_cache "$ENV{ONTOP_SCINTILLA_CACHE}")
endif()
set(ONTOP_SCINTILLA_CACHE "${ontop_default_scintilla_cache}" CACHE PATH
    "Where Scintilla's pinned source tarball is kept and unpacked")

file(STRINGS "${PROJECT_SOURCE_DIR}/third_party/scintilla/source.txt" ontop_pin REGEX "^[a-z0-9_]+=")
foreach(line IN LISTS ontop_pin)
    string(REGEX MATCH "^([a-z0-9_]+)=(.*)$" _ "${line}")
    set(ontop_scintilla_pin_${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
endforeach()
set(ontop_scintilla_version "${ontop_scintilla_pin_version_txt}")

# The pinned tarball from the cache, fetched when it is missing or not the pinned one; a good
# copy is replaced only by a download that has passed the hash check.
function(ontop_fetch_scintilla_source out_folder)
    set(cache "${ONTOP_SCINTILLA_CACHE}")
    set(hash "${ontop_scintilla_pin_sha256}")
    get_filename_component(name "${ontop_scintilla_pin_pool_path}" NAME)
    set(folder "${cache}/scintilla-${ontop_scintilla_pin_version}")
    set(marker "${folder}/.unpacked-from-sha256")
    set(${out_folder} "${folder}" PARENT_SCOPE)
    if(EXISTS "${marker}")
        file(STRINGS "${marker}" unpacked_from LIMIT_COUNT 1)
        if(unpacked_from STREQUAL hash)
            return()
        endif()
    endif()

    set(tarball "${cache}/${name}")
    set(url "http://deb.debian.org/debian/${ontop_scintilla_pin_pool_path}")
    set(good FALSE)
    if(EXISTS "${tarball}")
        file(SHA256 "${tarball}" cached_hash)
        if(cached_hash STREQUAL hash)
            set(good TRUE)
        endif()
    endif()
    if(NOT good)
        message(STATUS "Fetching Scintilla's source: ${url}")
        # The hash is checked here rather than with EXPECTED_HASH, whose error for a download
        # that never started reads as a hash mismatch.
        file(DOWNLOAD "${url}" "${tarball}.part" INACTIVITY_TIMEOUT 60 STATUS download_status)
        list(GET download_status 0 download_code)
        list(GET download_status 1 download_error)
        if(download_code EQUAL 0)
            file(SHA256 "${tarball}.part" fetched_hash)
            if(fetched_hash STREQUAL hash)
                file(RENAME "${tarball}.part" "${tarball}")
                set(good TRUE)
            else()
                set(download_error "not the pinned SHA-256")
            endif()
        endif()
        if(NOT good)
            file(REMOVE "${tarball}.part")
            # One line as it is (CMake would wrap an error's text): what to fetch, and where.
            message(NOTICE "Scintilla's source could not be fetched (${download_error}): download "
                           "${url} (SHA-256 ${hash}) into ${cache}/, or set "
                           "ONTOP_SCINTILLA_SOURCE to an unpacked Scintilla "
                           "${ontop_scintilla_pin_version} folder.")
            message(FATAL_ERROR "Scintilla's source is missing: see the line above.")
        endif()
    endif()

    # Unpacked beside, then moved into place whole, so a cut-off unpacking is never used.
    set(work "${cache}/unpacking")
    file(REMOVE_RECURSE "${work}")
    file(ARCHIVE_EXTRACT INPUT "${tarball}" DESTINATION "${work}" PATTERNS "scintilla/*")
    file(WRITE "${work}/scintilla/.unpacked-from-sha256" "${hash}\n")
    file(REMOVE_RECURSE "${folder}")
    file(RENAME "${work}/scintilla" "${folder}")
    file(REMOVE_RECURSE "${work}")
endfunction()

# A normal variable over the cache entry: everything below reads the folder in use.
if(ONTOP_SCINTILLA_SOURCE STREQUAL "")
    ontop_fetch_scintilla_source(ONTOP_SCINTILLA_SOURCE)
endif()

if(NOT EXISTS "${ONTOP_SCINTILLA_SOURCE}/version.txt")
    message(FATAL_ERROR
        "Scintilla's sources are not at ONTOP_SCINTILLA_SOURCE=${ONTOP_SCINTILLA_SOURCE}: "
        "unpack Scintilla ${ontop_scintilla_pin_version} and name its scintilla folder, or leave "
        "ONTOP_SCINTILLA_SOURCE empty for Debian's pinned source.")
endif()
file(STRINGS "${ONTOP_SCINTILLA_SOURCE}/version.txt" ontop_found_version LIMIT_COUNT 1)
if(NOT ontop_found_version STREQUAL ontop_scintilla_version)
    message(FATAL_ERROR "${ONTOP_SCINTILLA_SOURCE} holds Scintilla ${ontop_found_version}; "
                        "the project's patches are for ${ontop_scintilla_version} "
                        "(${ontop_scintilla_pin_version}).")
endif()

# The patches apply with GNU patch, or where it is missing (Windows) with git apply: git is
# there wherever the repository was cloned. CMake itself applies no unified diffs.
function(ontop_apply_scintilla_patch patch_file folder)
    find_program(ONTOP_PATCH_PROGRAM patch)
    find_program(ONTOP_GIT_PROGRAM git)
    if(ONTOP_PATCH_PROGRAM)
        set(apply "${ONTOP_PATCH_PROGRAM}" -p1 --forward --batch -i "${patch_file}")
    elseif(ONTOP_GIT_PROGRAM)
        # Outside any repository: a build folder inside the project's would make git apply
        # take the paths as the project's.
        get_filename_component(parent "${folder}" DIRECTORY)
        set(apply "${CMAKE_COMMAND}" -E env "GIT_CEILING_DIRECTORIES=${parent}"
                  "${ONTOP_GIT_PROGRAM}" apply -p1 "${patch_file}")
    else()
        message(FATAL_ERROR "Scintilla's patches need GNU patch or git: install either.")
    endif()
    execute_process(COMMAND ${apply} WORKING_DIRECTORY "${folder}"
                    RESULT_VARIABLE patch_result OUTPUT_VARIABLE patch_output
                    ERROR_VARIABLE patch_output)
    if(NOT patch_result EQUAL 0)
        message(FATAL_ERROR "${patch_file} does not apply to Scintilla:\n${patch_output}")
    endif()
endfunction()

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
    file(REMOVE_RECURSE "${ontop_scintilla}")
    foreach(part IN LISTS ontop_scintilla_parts)
        file(COPY "${ONTOP_SCINTILLA_SOURCE}/${part}" DESTINATION "${ontop_scintilla}")
    endforeach()
    foreach(patch_file IN LISTS ontop_scintilla_patches)
        ontop_apply_scintilla_patch("${patch_file}" "${ontop_scintilla}")
    endforeach()
    file(WRITE "${ontop_scintilla_stamp_file}" "${ontop_scintilla_stamp}")
    message(STATUS "Scintilla patched in ${ontop_scintilla}")
endif()
