# The program's helper tools, its user manuals, and what `cmake --install`
# puts in place so that the program shows in a Linux desktop's application menu.
include(GNUInstallDirs)

# Draws the toolbar pictures and the program icon kept in resources/. The build
# does not run it; run it by hand after changing a drawing.
add_executable(tovira_draw_icons tools/draw_icons.cpp)
target_link_libraries(tovira_draw_icons PRIVATE Qt6::Gui)

# Lays the manuals out as PDF from their HTML sources, beside the program in
# the build tree, where the help command finds them.
add_executable(tovira_make_manual tools/make_manual.cpp)
target_link_libraries(tovira_make_manual PRIVATE tovira_platform)

# (The folder where the program itself is built.)
if(CMAKE_RUNTIME_OUTPUT_DIRECTORY)
  set(TOVIRA_BUILT_HELP_DIR "${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/help")
else()
  set(TOVIRA_BUILT_HELP_DIR "${CMAKE_BINARY_DIR}/help")
endif()
set(TOVIRA_MANUALS)
foreach(manual manual_br manual_eng)
  set(source "${CMAKE_SOURCE_DIR}/resources/help/${manual}.html")
  set(pdf "${TOVIRA_BUILT_HELP_DIR}/${manual}.pdf")
  add_custom_command(OUTPUT "${pdf}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${TOVIRA_BUILT_HELP_DIR}"
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            $<TARGET_FILE:tovira_make_manual> "${source}" "${pdf}"
    DEPENDS tovira_make_manual "${source}"
    COMMENT "Laying out ${manual}.pdf"
    VERBATIM)
  list(APPEND TOVIRA_MANUALS "${pdf}")
endforeach()
add_custom_target(tovira_manuals ALL DEPENDS ${TOVIRA_MANUALS})

# An installed program looks for its manuals (help/) and for translations of
# its texts (translations/; none is shipped) from its own folder.
if(IS_ABSOLUTE "${CMAKE_INSTALL_DATADIR}")
  set(installed_data "${CMAKE_INSTALL_DATADIR}/tovira")
else()
  file(RELATIVE_PATH installed_data "/prefix/bin" "/prefix/${CMAKE_INSTALL_DATADIR}/tovira")
endif()
target_compile_definitions(tovira_core PRIVATE TOVIRA_INSTALLED_DATA_DIR="${installed_data}")

install(FILES ${TOVIRA_MANUALS} DESTINATION "${CMAKE_INSTALL_DATADIR}/tovira/help")
install(FILES resources/tovira.desktop DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
install(FILES resources/tovira.png DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps")

# The help command's tests open the manuals the build made.
foreach(test_target test_ui_common test_settings)
  if(TARGET ${test_target})
    add_dependencies(${test_target} tovira_manuals)
    target_compile_definitions(${test_target} PRIVATE TOVIRA_BUILT_HELP_DIR="${TOVIRA_BUILT_HELP_DIR}"
                                                      TOVIRA_PROGRAM_DIR="$<TARGET_FILE_DIR:tovira>")
  endif()
endforeach()
