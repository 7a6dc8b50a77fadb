# Online play's tests across processes: a relay that makes 127.0.0.1 a bad network.
add_executable(astorine-test-relay ${CMAKE_CURRENT_LIST_DIR}/relay.cpp)
