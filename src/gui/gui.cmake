# The Qt view: draws every window from its control model; dialogs, tray, simulator panel.
find_package(Qt6 COMPONENTS Widgets QUIET)
if(Qt6Widgets_FOUND)
  file(GLOB_RECURSE GUI_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/gui/*.cpp)
  add_library(mv_gui STATIC ${GUI_SOURCES})
  target_link_libraries(mv_gui PUBLIC mv_console Qt6::Widgets)   # the console's options are the program's
else()
  message(STATUS "Qt 6 Widgets not found: building without the windows")
endif()
