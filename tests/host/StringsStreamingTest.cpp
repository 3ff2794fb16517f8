#include "host/classes/Streams.h"
#include "host/classes/StringList.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

using namespace host;

TEST(StringsStreaming, StreamsCarryTheTextFromTheCurrentPosition) {
    TStringList l;
    l.SetCommaText("alpha,\"be ta\",gamma");
    TStringStream out("");
    l.SaveToStream(&out);
    EXPECT_EQ(out.GetDataString(), "alpha\r\nbe ta\r\ngamma\r\n");

    TStringStream in("skipped\nfirst\nsecond");
    in.SetPosition(8); // only the rest of the stream is read
    l.LoadFromStream(&in);
    EXPECT_EQ(l.GetCount(), 2);
    EXPECT_EQ(l.GetStrings(0), "first");
    EXPECT_EQ(l.GetStrings(1), "second");
    in.SetPosition(in.GetSize());
    l.LoadFromStream(&in);
    EXPECT_EQ(l.GetCount(), 0);
}

TEST(StringsStreaming, FilesRoundTripAndMissingFilesRaise) {
    char tmpl[] = "/tmp/zelstringsXXXXXX";
    std::string dir = ::mkdtemp(tmpl);
    std::string file = dir + "/lines.txt";
    TStringList l, back;
    l.SetTextStr("one\r\n\r\nthree");
    l.SaveToFile(file);
    back.LoadFromFile(file);
    EXPECT_TRUE(back.Equals(&l));
    try {
        back.LoadFromFile(dir + "/missing.txt");
        FAIL();
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find("missing.txt"), std::string::npos);
    }
    EXPECT_EQ(back.GetCount(), 3); // a failed load keeps the items
    std::filesystem::remove_all(dir);
}
