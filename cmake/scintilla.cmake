# Scintilla, the Windows text box: built from its sources with the project's patches applied, as a
# static library of its Windows half only (no lexers, no other platforms).

# Scintilla's source, found or fetched, checked and patched into ${ontop_scintilla}.
include(${CMAKE_CURRENT_LIST_DIR}/scintilla_source.cmake)

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
