# The main window shell: header, search bar, tabs, role layout, menu, closing, start-up sequence.
add_library(b2b_mainwindow STATIC
  mainwindow.cpp mainwindow.h
)
target_include_directories(b2b_mainwindow PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(b2b_mainwindow PUBLIC b2b_login b2b_grid b2b_marquee b2b_mailform b2b_requests b2b_remote Qt6::Widgets)
