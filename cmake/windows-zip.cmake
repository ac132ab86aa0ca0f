# tintwatch-<version>-win64.zip: the program, the Qt libraries and plugins it loads, the mingw
# runtime and the Help pages, all in one folder, so that it runs where nothing else is
# installed. `cpack -G ZIP` in the build folder makes it.
install(TARGETS tintwatch RUNTIME DESTINATION .)
foreach(library Core Gui Widgets Network)
  install(FILES $<TARGET_FILE:Qt6::${library}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  install(FILES ${runtime_path} DESTINATION .)
endforeach()
install(FILES ${PROJECT_BINARY_DIR}/docs/tutorial.html ${PROJECT_BINARY_DIR}/docs/home.html
        DESTINATION docs)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME tintwatch)
set(CPACK_PACKAGE_FILE_NAME tintwatch-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
