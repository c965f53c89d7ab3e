# Machine identity, endpoint settings and ayar.ini: no widgets, usable by any window and tool.
set(B2B_DEFAULT_HOST "b2b.telvarotomotiv.com.tr" CACHE STRING "Public host of the application server")
set(B2B_DEFAULT_LAN_HOST "192.168.1.10" CACHE STRING "The server's address inside its local network")
set(B2B_DEFAULT_PUBLIC_IP "203.0.113.10" CACHE STRING "The server's public IPv4 (empty: never switch to the LAN)")
set(B2B_DEFAULT_WEB_PORT "80" CACHE STRING "Port of the firm's web site")
add_library(b2b_machine STATIC
  machineid.cpp machineid.h
  endpoints.cpp endpoints.h
  ayarini.cpp ayarini.h
)
target_include_directories(b2b_machine PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(b2b_machine PUBLIC b2b_remote Qt6::Core PRIVATE CURL::libcurl)
target_compile_definitions(b2b_machine PRIVATE
  B2B_DEFAULT_HOST="${B2B_DEFAULT_HOST}"
  B2B_DEFAULT_LAN_HOST="${B2B_DEFAULT_LAN_HOST}"
  B2B_DEFAULT_PUBLIC_IP="${B2B_DEFAULT_PUBLIC_IP}"
  B2B_DEFAULT_WEB_PORT=${B2B_DEFAULT_WEB_PORT}
)

# Login window, connection notifier, the "Zircon" style and the busy animation.
add_library(b2b_login STATIC
  girisform.cpp girisform.h
  notifier.cpp notifier.h
  zircon.cpp zircon.h zircon.qrc zircon.qss
  busyindicator.cpp busyindicator.h
  uppercase.h
)
target_include_directories(b2b_login PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(b2b_login PUBLIC b2b_machine b2b_requests b2b_ui b2b_remote Qt6::Widgets)

# The client program: start-up only; the windows live in their libraries.
add_executable(b2b-client main.cpp)
target_link_libraries(b2b-client PRIVATE b2b_mainwindow b2b_login)
