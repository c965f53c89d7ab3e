# Reference server: small-call throughput against httplib's hello world, search latency at 200,000 items.
if(TARGET b2b_server_core AND TARGET b2b_remote)
  add_executable(bench_server server_bench.cpp)
  target_link_libraries(bench_server PRIVATE b2b_server_core b2b_remote PkgConfig::HTTPLIB benchmark::benchmark)
endif()
