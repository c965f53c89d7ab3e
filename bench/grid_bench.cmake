# Grid model at 100,000 rows: load with footers, sorts, filter, one screen of data() calls.
if(TARGET b2b_grid_demodata)
  add_executable(bench_grid grid_bench.cpp)
  target_link_libraries(bench_grid PRIVATE b2b_grid_demodata benchmark::benchmark)
endif()
