# Mail window.
add_library(b2b_mailform STATIC mailform.cpp mailform.h)
target_include_directories(b2b_mailform PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(b2b_mailform PUBLIC b2b_remote b2b_ui Qt6::Widgets)
if(TARGET b2b_machine)
  target_link_libraries(b2b_mailform PUBLIC b2b_machine)
  target_compile_definitions(b2b_mailform PUBLIC B2B_HAVE_MACHINEID)
endif()
