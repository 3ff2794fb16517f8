// Helpers shared by the test suites.
#pragma once

#include "host/system/Exceptions.h"

#include <string>
#include <utility>

namespace testsupport {

/// The message of the `E` that `Call` raises, or "(no exception)" when it raises none; an
/// exception of another class passes through and fails the test.
template <class E = host::Exception, class F>
std::string MessageOf(F&& Call) {
    try {
        std::forward<F>(Call)();
    } catch (const E& e) {
        return e.Message();
    }
    return "(no exception)";
}

} // namespace testsupport
