# Update download, access request page and password change request.
add_library(b2b_requests STATIC
  dosyaindir.cpp dosyaindir.h
  formistekyeni.cpp formistekyeni.h
  kullanicikayit.cpp kullanicikayit.h
)
target_include_directories(b2b_requests PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
find_package(ZLIB REQUIRED)
target_link_libraries(b2b_requests PUBLIC b2b_remote b2b_ui Qt6::Widgets Qt6::Network PRIVATE ZLIB::ZLIB)

# The windows send the machine identifier of the login's machine-identity library.
if(TARGET b2b_machine)
  target_link_libraries(b2b_requests PUBLIC b2b_machine)
  target_compile_definitions(b2b_requests PUBLIC B2B_HAVE_MACHINEID)
endif()

# The request page is shown inside the program when Qt WebEngine is installed
# (tools/install-deps.sh with B2B_WEBENGINE=1); otherwise it opens in the system browser.
option(B2B_USE_WEBENGINE "Show web pages inside the program when Qt WebEngine is available" ON)
if(B2B_USE_WEBENGINE)
  find_package(Qt6 QUIET COMPONENTS WebEngineWidgets)
endif()
if(B2B_USE_WEBENGINE AND TARGET Qt6::WebEngineWidgets)
  target_link_libraries(b2b_requests PRIVATE Qt6::WebEngineWidgets)
  target_compile_definitions(b2b_requests PRIVATE B2B_HAVE_WEBENGINE)
  message(STATUS "Request page: embedded web view (Qt WebEngine)")
else()
  message(STATUS "Request page: system browser (Qt WebEngine not used)")
endif()
