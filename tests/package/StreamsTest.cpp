// The stream class infos on live host streams, and the untyped buffer arguments.
#include "ClassesFixture.h"

#include "core/ValueConv.h"
#include "host/classes/Component.h"
#include "host/classes/Streams.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace classes_test;
using Streams = ClassesTest;

namespace {
std::string Contents(TMemoryStream& S) {
    if (S.GetSize() == 0) return "";
    return std::string(static_cast<const char*>(S.GetMemory()),
                       static_cast<std::size_t>(S.GetSize()));
}
} // namespace

TEST_F(Streams, MemoryStreamReadAndWrittenThroughItsClassInfo) {
    TMemoryStream stream;
    EXPECT_EQ(Info(&stream)->ClassName(), "TMemoryStreamClassInfo");
    EXPECT_EQ(Call(&stream, "Write", "hello", 5)->Result.AsInteger(), 5);
    EXPECT_EQ(Get(&stream, "Position").AsInteger(), 5);
    EXPECT_EQ(Get(&stream, "Size").AsInteger(), 5);
    EXPECT_EQ(Call(&stream, "Seek", 1, static_cast<int>(soFromBeginning))->Result.AsInteger(), 1);

    TzelMethodInfo* read = Call(&stream, "Read", Variant(), 3);
    EXPECT_EQ(read->Result.AsInteger(), 3);
    EXPECT_EQ(read->GetArgs(0)->Value.AsString(), "ell");
    // A Count beyond the data reads what there is; its string holds exactly those bytes.
    read = Call(&stream, "Read", "old value", 0x7FFFFFFF);
    EXPECT_EQ(read->Result.AsInteger(), 1);
    EXPECT_EQ(read->GetArgs(0)->Value.AsString(), "o");
    read = Call(&stream, "Read", "x", 4);
    EXPECT_EQ(read->Result.AsInteger(), 0);
    EXPECT_EQ(read->GetArgs(0)->Value.AsString(), "");

    Set(&stream, "Position", 0);
    TzelMethodInfo* all = Call(&stream, "ReadBuffer", Variant(), 5);
    EXPECT_EQ(all->GetArgs(0)->Value.AsString(), "hello");
    Call(&stream, "WriteBuffer", "!?", 2);
    EXPECT_EQ(Contents(stream), "hello!?");
    EXPECT_EQ(Get(&stream, "Memory").AsAddress(), stream.GetMemory());

    Set(&stream, "Size", 2);
    EXPECT_EQ(Contents(stream), "he");
    Set(&stream, "Capacity", 100); // protected: reached through the access class
    EXPECT_GE(Get(&stream, "Capacity").AsInteger(), 100);
    EXPECT_THROW(Set(&stream, "Capacity", -1), EStreamError);
    Call(&stream, "Clear");
    EXPECT_EQ(stream.GetSize(), 0);
    EXPECT_EQ(Get(&stream, "Capacity").AsInteger(), 0);
}

// An address says nothing of how many bytes lie behind it: never a buffer. A memory stream's
// own Memory, handed out by its class info, cannot be made the target of a huge read.
TEST_F(Streams, AddressesAreRefusedAsBuffers) {
    TMemoryStream stream;
    stream.WriteBuffer("abcdef", 6);
    stream.SetPosition(0);
    TMemoryStream small;
    small.WriteBuffer("xy", 2);
    const Variant memory = Get(&small, "Memory");
    ASSERT_TRUE(memory.IsByRef());
    for (const char* name : {"Read", "ReadBuffer", "Write", "WriteBuffer"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(MessageOf([&] { Call(&stream, name, memory, 0x10000); }),
                  "A buffer is passed as a string, not as an address");
    }
    EXPECT_EQ(Contents(small), "xy");
    EXPECT_EQ(stream.GetPosition(), 0);
    EXPECT_EQ(stream.GetSize(), 6);
}

// No Count lets the host read or write beyond a string buffer, or allocate beyond the data.
TEST_F(Streams, CountsBeyondAStringBufferAreBounded) {
    TMemoryStream stream;
    EXPECT_EQ(Call(&stream, "Write", "ab", 1000)->Result.AsInteger(), 2); // what the string holds
    EXPECT_EQ(Contents(stream), "ab");
    EXPECT_EQ(MessageOf([&] { Call(&stream, "WriteBuffer", "xyz", 4); }), "Stream write error");
    EXPECT_EQ(Contents(stream), "ab"); // nothing was written
    EXPECT_EQ(Call(&stream, "Write", "xyz", 1)->Result.AsInteger(), 1);
    EXPECT_EQ(Contents(stream), "abx");

    stream.SetPosition(0);
    TzelMethodInfo* m = Info(&stream)->FindMethod("ReadBuffer");
    m->GetArgs(0)->Value = "untouched";
    m->GetArgs(1)->Value = 0x7FFFFFFF;
    EXPECT_EQ(MessageOf([&] { Info(&stream)->InvokeMethod(m); }), "Stream read error");
    EXPECT_EQ(m->GetArgs(0)->Value.AsString(), "untouched"); // a failed read writes nothing back

    // Counts with nothing at stake get the host's own answers.
    stream.SetPosition(0);
    EXPECT_EQ(Call(&stream, "Read", "", -5)->Result.AsInteger(), 0);
    EXPECT_EQ(Call(&stream, "Write", "abc", -5)->Result.AsInteger(), 0);
    EXPECT_THROW(Call(&stream, "ReadBuffer", "", -5), EReadError);
    EXPECT_THROW(Call(&stream, "WriteBuffer", "", -5), EWriteError);
    EXPECT_NO_THROW(Call(&stream, "ReadBuffer", "", 0));
    EXPECT_EQ(stream.GetPosition(), 0);

    // A plain number is never taken as an address: the read replaces it by the bytes read.
    TzelMethodInfo* read = Call(&stream, "Read", 4096, 2);
    EXPECT_EQ(read->GetArgs(0)->Value.AsString(), "ab");
    EXPECT_THROW(Call(&stream, "Read", "", "many"), EConvertError);
}

TEST_F(Streams, StringStreamsCopyingAndSeeking) {
    TStringStream text("one two");
    EXPECT_EQ(Info(&text)->ClassName(), "TStringStreamClassInfo");
    EXPECT_EQ(Call(&text, "ReadString", 3)->Result.AsString(), "one");
    EXPECT_EQ(Call(&text, "ReadString", 0x7FFFFFFF)->Result.AsString(), " two");
    Call(&text, "WriteString", "!");
    EXPECT_EQ(Get(&text, "DataString").AsString(), "one two!");
    EXPECT_EQ(MessageOf([&] { Set(&text, "DataString", ""); }), "Property DataString not found!");
    EXPECT_EQ(Call(&text, "Seek", -3, static_cast<int>(soFromEnd))->Result.AsInteger(), 5);
    EXPECT_THROW(Call(&text, "Seek", 0, 70000), ERangeError); // Origin is a 16-bit value

    TMemoryStream copy;
    text.SetPosition(4);
    EXPECT_EQ(Call(&copy, "CopyFrom", Conv<TObject*>::To(&text), 3)->Result.AsInteger(), 3);
    EXPECT_EQ(Contents(copy), "two");
    EXPECT_THROW(Call(&copy, "CopyFrom", Conv<TObject*>::To(&text), 100), EReadError);
    Call(&copy, "LoadFromStream", Conv<TObject*>::To(&text));
    EXPECT_EQ(Contents(copy), "one two!");
    TStringStream target("");
    Call(&copy, "SaveToStream", Conv<TObject*>::To(&target));
    EXPECT_EQ(target.GetDataString(), "one two!");
}

TEST_F(Streams, FileStreamsHandlesAndFiles) {
    char path[] = "/tmp/zeltrix-streams-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ::close(fd);
    {
        TFileStream file(path, fmCreate);
        EXPECT_EQ(Info(&file)->ClassName(), "TFileStreamClassInfo");
        EXPECT_EQ(Get(&file, "Handle").AsInteger(), static_cast<Integer>(file.GetHandle()));
        EXPECT_EQ(MessageOf([&] { Set(&file, "Handle", 0); }), "Property Handle not found!");
        Call(&file, "WriteBuffer", "on disk", 7);
        EXPECT_EQ(Get(&file, "Size").AsInteger(), 7);
    }
    TMemoryStream memory;
    Call(&memory, "LoadFromFile", path);
    EXPECT_EQ(Contents(memory), "on disk");
    EXPECT_EQ(Call(&memory, "Seek", 0, static_cast<int>(soFromEnd))->Result.AsInteger(), 7);
    Call(&memory, "Write", " again", 6);
    Call(&memory, "SaveToFile", path);
    TFileStream back(path, fmOpenRead);
    EXPECT_EQ(Call(&back, "Read", "", 100)->GetArgs(0)->Value.AsString(), "on disk again");
    std::remove(path);
}

TEST_F(Streams, ResourceStreamsAreReadOnly) {
    RegisterResource(HInstance, "ZELDATA", RT_RCDATA, "payload");
    {
        TResourceStream res(HInstance, "ZELDATA", RT_RCDATA);
        EXPECT_EQ(Info(&res)->ClassName(), "TResourceStreamClassInfo");
        EXPECT_EQ(Call(&res, "Read", "", 3)->GetArgs(0)->Value.AsString(), "pay");
        EXPECT_EQ(MessageOf([&] { Call(&res, "WriteBuffer", "x", 1); }),
                  "Can't write to a read-only resource stream");
    }
    UnregisterResource(HInstance, "ZELDATA", RT_RCDATA);
}

TEST_F(Streams, ComponentsWrittenAndReadBackThroughAStream) {
    TComponent original(nullptr);
    original.SetName("Original");
    original.SetTag(42);
    TMemoryStream stream;
    Call(&stream, "WriteComponent", Conv<TObject*>::To(&original));
    stream.SetPosition(0);
    TComponent copy(nullptr);
    TzelMethodInfo* read = Call(&stream, "ReadComponent", Conv<TObject*>::To(&copy));
    EXPECT_EQ(read->Result.AsInt64(), Conv<TObject*>::To(&copy).AsInt64());
    EXPECT_EQ(copy.GetTag(), 42);

    TMemoryStream res;
    Call(&res, "WriteComponentRes", "ORIGINAL", Conv<TObject*>::To(&original));
    res.SetPosition(0);
    Call(&res, "ReadResHeader");
    EXPECT_GT(res.GetPosition(), 0);
    res.SetPosition(0);
    TComponent again(nullptr);
    Call(&res, "ReadComponentRes", Conv<TObject*>::To(&again));
    EXPECT_EQ(again.GetTag(), 42);
    // An integer that is no live component is refused before the host sees it.
    EXPECT_THROW(Call(&stream, "WriteComponent", 12345), EInvalidCast);
}
