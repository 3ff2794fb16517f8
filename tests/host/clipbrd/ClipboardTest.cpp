// The headless clipboard: one handle per format, taken over and deleted when replaced or
// cleared; text beside them.
#include "host/clipbrd/Clipboard.h"
#include "host/graphics/GdiObjects.h"

#include <gtest/gtest.h>

using namespace host;

TEST(Clipboard, HoldsOneHandlePerFormatAndOwnsIt) {
    TClipboard& c = Clipboard();
    c.Open();
    c.Clear();
    HBRUSH first = CreateSolidBrush(0), second = CreateSolidBrush(0);
    c.SetAsHandle(2, first);
    EXPECT_TRUE(c.HasFormat(2));
    EXPECT_EQ(c.GetAsHandle(2), first);
    c.SetAsHandle(2, second); // the first is the clipboard's to delete
    EXPECT_EQ(GetObjectType(first), 0);
    c.SetAsText("copied");
    EXPECT_EQ(c.GetAsText(), "copied");
    EXPECT_EQ(c.GetFormatCount(), 2);
    c.Clear();
    EXPECT_EQ(GetObjectType(second), 0);
    EXPECT_FALSE(c.HasFormat(2));
    EXPECT_FALSE(c.HasFormat(CF_TEXT));
    EXPECT_EQ(c.GetAsHandle(2), 0u);
    c.Close();
}
