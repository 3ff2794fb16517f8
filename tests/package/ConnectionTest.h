// The fixture of the connection tests: a loaded package, the test widget registered, and an
// owner for the components of one test.
#pragma once

#include "connections/Zele2m.h"
#include "connections/Zele2p.h"
#include "connections/Zelp2p.h"
#include "core/Zelcommon.h"
#include "tests/package/ConnectionTestWidget.h"

#include <gtest/gtest.h>

namespace zeltrix::test {

using host::Variant;

/// Every connection test derives from it.
class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// A fresh owner for the components of one test (a form without a form class).
    TComponent* Form = nullptr;
    TTestWidget* NewWidget(const AnsiString& Name);
    static TzelClassInfo* InfoOf(TObject* Object);
};

/// `Code` raises an exception of class `E` whose message is exactly `Text`.
#define EXPECT_RAISES(Code, E, Text)                                                               \
    do {                                                                                           \
        try {                                                                                      \
            Code;                                                                                  \
            ADD_FAILURE() << "no exception from " #Code;                                           \
        } catch (const E& e) {                                                                     \
            EXPECT_EQ(e.Message(), Text);                                                          \
        }                                                                                          \
    } while (0)

} // namespace zeltrix::test
