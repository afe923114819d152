# Windows build: Lumora.exe and the Win32 test programs, all with the
# runtime linked statically so that only Windows' own DLLs are needed.
add_compile_definitions(UNICODE _UNICODE WINVER=0x0501 _WIN32_WINNT=0x0501)
add_link_options(-static -static-libgcc -static-libstdc++)

# Win32 code of every subsystem except the entry point, shared by the exe
# and the Win32 tests. It includes the platform hooks the portable core calls
# (clock, messages, exit sequence), hence the two libraries need each other.
add_library(lumora_win32 STATIC
    calendar/today_win32.cpp
    lessons/decompression_report_win32.cpp
    lessons/lesson_resource_win32.cpp
    shell/exit_sequence_win32.cpp
    shell/out_of_memory_win32.cpp
    shell/settings_win32.cpp
    shell/commands_win32.cpp
    shell/main_window_win32.cpp
    shell/navigation_win32.cpp
    shell/scroll_bar_win32.cpp
    shell/window_parts_win32.cpp
    shell/window_placement_win32.cpp
    dialogs/font_chooser_win32.cpp
    dialogs/calendar_picker_win32.cpp
    dialogs/picker_paint_win32.cpp
    page/device_ops_win32.cpp
    page/draw_run_win32.cpp
    page/paint_view_win32.cpp
    page/paint_highlight_win32.cpp
    page/scroll_view_win32.cpp
    page/search_banner_win32.cpp
    page/view_font_win32.cpp
    page/main_view_win32.cpp
    # The lesson search and its dialog.
    lessons/search_lessons_win32.cpp
    dialogs/search_dialog_win32.cpp
    page/view_face_win32.cpp
    # Printing: page setup, the job, the bands, the printed face.
    print/print_job_win32.cpp
    print/print_lesson_win32.cpp
    print/print_bands_win32.cpp
    print/print_face_win32.cpp
    # The About box and the update check.
    shell/about_box_win32.cpp
    shell/open_url_win32.cpp
    # DLLs that only some commands need, bound on first use.
    shell/system_library_win32.cpp
)
# Copy and Append to ClipBoard.
target_sources(lumora_win32 PRIVATE clipboard/clipboard_export_win32.cpp)
target_link_libraries(lumora_win32 PUBLIC lumora_core advapi32 user32 comctl32)
# The resource identifiers are shared by the .rc file and the code.
target_include_directories(lumora_win32 PUBLIC ${CMAKE_SOURCE_DIR}/resources)
# The page measures and draws with GDI.
target_link_libraries(lumora_win32 PUBLIC gdi32)
target_link_libraries(lumora_core PUBLIC lumora_win32)
# The page's core code calls its GDI seam, whose objects call back into the
# core: one more pass over the pair resolves such chains.
set_property(TARGET lumora_core lumora_win32 PROPERTY LINK_INTERFACE_MULTIPLICITY 3)
target_compile_options(lumora_win32 PRIVATE -Wall -Wextra)

# The book: packed from book/ by the host-built packer into the fourteen
# containers that the exe carries as RT_RCDATA 1001..1014.
set(LUMORA_PACKER "" CACHE FILEPATH "Host-built lumora-book used to pack the book")
if(NOT LUMORA_PACKER)
    message(FATAL_ERROR "Set LUMORA_PACKER to the host build's tools/lumora-book")
endif()
file(GLOB LUMORA_BOOK_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/book/*.txt)
set(BOOK_OUT ${CMAKE_BINARY_DIR}/book)
set(BOOK_CONTAINERS)
foreach(id RANGE 1001 1014)
    list(APPEND BOOK_CONTAINERS ${BOOK_OUT}/${id}.bin)
endforeach()
add_custom_command(
    OUTPUT ${BOOK_CONTAINERS}
    COMMAND ${LUMORA_PACKER} pack ${CMAKE_SOURCE_DIR}/book ${BOOK_OUT}
    DEPENDS ${LUMORA_PACKER} ${LUMORA_BOOK_SOURCES}
    COMMENT "Packing the book"
    VERBATIM)
add_custom_target(book_containers DEPENDS ${BOOK_CONTAINERS})
# The icon and the toolbar bitmap, drawn as text in resources/art.
get_filename_component(LUMORA_HOST_TOOLS ${LUMORA_PACKER} DIRECTORY)
set(LUMORA_ART ${LUMORA_HOST_TOOLS}/art/lumora-art)
set(ART_DIR ${CMAKE_SOURCE_DIR}/resources/art)
set(ART_OUT ${CMAKE_BINARY_DIR}/art)
add_custom_command(
    OUTPUT ${ART_OUT}/toolbar.bmp ${ART_OUT}/lumora.ico ${ART_OUT}/keyboard.bmp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ART_OUT}
    COMMAND ${LUMORA_ART} bitmap ${ART_DIR}/toolbar.txt ${ART_OUT}/toolbar.bmp
    COMMAND ${LUMORA_ART} icon ${ART_OUT}/lumora.ico ${ART_DIR}/icon32.txt ${ART_DIR}/icon16.txt
    COMMAND ${LUMORA_ART} keyboard ${ART_DIR}/keyboard.txt ${ART_OUT}/keyboard.bmp
    DEPENDS ${LUMORA_ART} ${ART_DIR}/toolbar.txt ${ART_DIR}/icon32.txt ${ART_DIR}/icon16.txt
            ${ART_DIR}/keyboard.txt
    COMMENT "Drawing the icon and the toolbar"
    VERBATIM)
# The About box's black-and-white picture.
add_custom_command(
    OUTPUT ${ART_OUT}/about.bmp
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ART_OUT}
    COMMAND ${LUMORA_ART} mono ${ART_DIR}/about.txt ${ART_OUT}/about.bmp
    DEPENDS ${LUMORA_ART} ${ART_DIR}/about.txt
    COMMENT "Drawing the About box's picture"
    VERBATIM)
set_source_files_properties(resources/lumora.rc PROPERTIES
    OBJECT_DEPENDS "${ART_OUT}/toolbar.bmp;${ART_OUT}/lumora.ico;${ART_OUT}/keyboard.bmp;${ART_OUT}/about.bmp")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I ${ART_OUT}")

configure_file(resources/book.rc.in ${CMAKE_BINARY_DIR}/book.rc @ONLY)
set_source_files_properties(${CMAKE_BINARY_DIR}/book.rc PROPERTIES OBJECT_DEPENDS "${BOOK_CONTAINERS}")

add_executable(Lumora WIN32
    shell/startup_win32.cpp
    resources/lumora.rc
    ${CMAKE_BINARY_DIR}/book.rc
)
add_dependencies(Lumora book_containers)
target_include_directories(Lumora PRIVATE resources)
# The shipped program carries no symbols.
target_link_options(Lumora PRIVATE -municode -s)
target_link_libraries(Lumora PRIVATE lumora_win32 comctl32 comdlg32 gdi32 user32 advapi32 shell32)
target_compile_options(Lumora PRIVATE -Wall -Wextra)

# The installer, the portable zip and a Lumora.exe that builds the same
# everywhere.
include(cmake/release.cmake)

add_subdirectory(tests/win32)
add_subdirectory(tests/wine)
