# Everything of the program but main() is a library, so the tests can reach its pieces.
add_library(tw_app STATIC
  about_dlg.cpp
  app_icon.cpp
  command_line.cpp
  display_setup.cpp
  document_opener.cpp
  instance_message.cpp
  pending_saves.cpp
  screen_share_notice.cpp
  single_instance.cpp
  tintwatch_app.cpp
)
# The version every part shows (About box, --version) is the project's.
target_compile_definitions(tw_app PUBLIC TINTWATCH_VERSION="${PROJECT_VERSION}")
target_link_libraries(tw_app PUBLIC tw_model tw_engine tw_ui_view tw_ui_frame tw_ui_editor
                      tw_platform_api tw_platform_process Qt6::Widgets Qt6::Network)

# The application icon, every size, under :/icons/.
set(tintwatch_icon_files)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND tintwatch_icon_files ${PROJECT_SOURCE_DIR}/res/icons/tintwatch-${size}.png)
endforeach()
qt_add_resources(tw_app tintwatch_icons
  PREFIX /icons
  BASE ${PROJECT_SOURCE_DIR}/res/icons
  FILES ${tintwatch_icon_files}
)

add_executable(tintwatch main.cpp)
target_compile_definitions(tintwatch PRIVATE TINTWATCH_APP_ID="${TINTWATCH_APP_ID}")
target_link_libraries(tintwatch PRIVATE tw_app tw_platform_real)
# build/tintwatch, at the top of the build folder, as the README and the scripts expect.
set_target_properties(tintwatch PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

include(GNUInstallDirs)
install(TARGETS tintwatch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
