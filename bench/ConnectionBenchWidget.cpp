// The test widget and its class info, compiled into the benchmarks as well: the connection
// benchmarks drive the same component the connection tests do.
#include "tests/package/ConnectionTestWidget.cpp"
