# Scintilla, the text box: built from its sources with the project's patches applied, as a static
# library of its core and this target's platform layer, Win32 or Qt (no lexers).

# Scintilla's source, found or fetched, checked and patched into ${ontop_scintilla}.
include(${CMAKE_CURRENT_LIST_DIR}/scintilla_source.cmake)

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
