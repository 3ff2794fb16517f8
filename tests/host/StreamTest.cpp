#include "host/classes/Streams.h"
#include "host/system/Exceptions.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <memory>
#include <unistd.h>

using namespace host;

namespace {
// Reaches the protected capacity of a memory stream.
class TProtectedTMemoryStream : public TMemoryStream {
public:
    using TMemoryStream::GetCapacity;
    using TMemoryStream::SetCapacity;
};

using testsupport::MessageOf;

std::string Contents(TCustomMemoryStream& S) {
    return std::string(static_cast<const char*>(S.GetMemory()),
                       static_cast<std::size_t>(S.GetSize()));
}

class TempDir {
public:
    TempDir() {
        char tmpl[] = "/tmp/zelstreamXXXXXX";
        fPath = ::mkdtemp(tmpl);
    }
    ~TempDir() { std::filesystem::remove_all(fPath); }
    std::string File(const char* name) const { return fPath + "/" + name; }

private:
    std::string fPath;
};
} // namespace

TEST(MemoryStream, GrowsInBlocksAndKeepsCapacityAboveSize) {
    TProtectedTMemoryStream s;
    EXPECT_EQ(s.GetCapacity(), 0);
    s.WriteBuffer("a", 1);
    EXPECT_EQ(s.GetCapacity(), 0x2000);
    std::string big(0x2001, 'x');
    s.WriteBuffer(big.data(), static_cast<LongInt>(big.size()));
    EXPECT_EQ(s.GetSize(), 0x2002);
    EXPECT_EQ(s.GetCapacity(), 0x4000);
    // An exact capacity request equal to the size is not rounded.
    s.SetCapacity(s.GetSize());
    EXPECT_EQ(s.GetCapacity(), 0x2002);
    // A capacity below the size cuts the contents instead of leaving Size beyond the buffer.
    s.SetCapacity(3); // rounded up to one block, still below the size
    EXPECT_EQ(s.GetCapacity(), 0x2000);
    ASSERT_EQ(s.GetSize(), 0x2000);
    EXPECT_EQ(Contents(s).substr(0, 3), "axx");
    s.Clear();
    EXPECT_EQ(s.GetSize(), 0);
    EXPECT_EQ(s.GetPosition(), 0);
    EXPECT_EQ(s.GetCapacity(), 0);
    EXPECT_EQ(s.GetMemory(), nullptr);
}

TEST(MemoryStream, SetSizeZeroFillsAndClampsPosition) {
    TMemoryStream s;
    s.WriteBuffer("hello", 5);
    s.SetSize(8);
    EXPECT_EQ(s.GetPosition(), 5);
    EXPECT_EQ(Contents(s), std::string("hello\0\0\0", 8));
    s.SetSize(2);
    EXPECT_EQ(s.GetPosition(), 2);
    EXPECT_EQ(Contents(s), "he");
    EXPECT_THROW(s.SetSize(-1), EStreamError);
    EXPECT_EQ(Contents(s), "he");
}

TEST(MemoryStream, ReadsAndWritesStayInBounds) {
    TMemoryStream s;
    s.WriteBuffer("abcdef", 6);
    char buf[16] = {};
    s.SetPosition(4);
    EXPECT_EQ(s.Read(buf, 10), 2);
    EXPECT_EQ(std::string(buf, 2), "ef");
    EXPECT_EQ(s.Read(buf, 10), 0);
    EXPECT_EQ(s.Seek(-100, soFromCurrent), -94);
    EXPECT_EQ(s.Read(buf, 1), 0);  // before the start: nothing to read
    EXPECT_EQ(s.Write("z", 1), 0); // nor to write
    s.SetPosition(0);
    EXPECT_EQ(s.Read(buf, -5), 0);
    EXPECT_EQ(s.Write(buf, -5), 0);
    EXPECT_EQ(s.Seek(2, soFromEnd), 8);
    // Writing past the end leaves a zero gap.
    s.WriteBuffer("!", 1);
    EXPECT_EQ(Contents(s), std::string("abcdef\0\0!", 9));
    // A position far beyond the end reads nothing and cannot overflow on write.
    s.SetPosition(0x7FFFFFFF);
    EXPECT_EQ(s.Read(buf, 1), 0);
    EXPECT_EQ(s.Write("x", 1), 0);
    EXPECT_EQ(s.Seek(10, soFromCurrent), 0x7FFFFFFF);
    EXPECT_EQ(s.GetSize(), 9);
}

TEST(MemoryStream, WritingFromItsOwnBufferSurvivesGrowth) {
    TMemoryStream s;
    std::string fill(0x1FFF, 'q');
    s.WriteBuffer(fill.data(), static_cast<LongInt>(fill.size()));
    s.WriteBuffer(s.GetMemory(), s.GetSize()); // grows (and moves) the buffer it reads from
    EXPECT_EQ(Contents(s), fill + fill);
    s.SaveToStream(&s);
    EXPECT_EQ(s.GetSize(), 4 * 0x1FFF);
}

TEST(StreamBuffers, ExactReadsAndWritesRaiseTheHostErrors) {
    TMemoryStream s;
    s.WriteBuffer("abc", 3);
    s.SetPosition(0);
    char buf[8];
    EXPECT_EQ(MessageOf<EReadError>([&] { s.ReadBuffer(buf, 4); }), "Stream read error");
    s.ReadBuffer(buf, 0); // nothing asked, nothing raised
    RegisterResource(HInstance, "RO", RT_RCDATA, "x");
    TResourceStream ro(HInstance, "RO", RT_RCDATA);
    EXPECT_EQ(MessageOf<EStreamError>([&] { ro.WriteBuffer("a", 1); }),
              "Can't write to a read-only resource stream");
    // EReadError and EWriteError are filer errors, hence stream errors.
    EXPECT_TRUE(EReadError("").InheritsFrom(EStreamError::StaticClass()));
    UnregisterResource(HInstance, "RO", RT_RCDATA);
}

TEST(StreamCopy, CopyFromCountsAndBounds) {
    TMemoryStream src;
    std::string data(0x10005, '\0');
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7);
    src.WriteBuffer(data.data(), static_cast<LongInt>(data.size()));

    // Count 0: the whole source from its start, whatever its position.
    TMemoryStream all;
    src.SetPosition(100);
    EXPECT_EQ(all.CopyFrom(&src, 0), static_cast<LongInt>(data.size()));
    EXPECT_EQ(Contents(all), data);

    // A positive count reads from the current position.
    TMemoryStream part;
    src.SetPosition(10);
    EXPECT_EQ(part.CopyFrom(&src, 5), 5);
    EXPECT_EQ(Contents(part), data.substr(10, 5));
    EXPECT_EQ(src.GetPosition(), 15);

    // More than is left, or a negative count, is a read error.
    src.SetPosition(static_cast<LongInt>(data.size()) - 2);
    EXPECT_THROW(part.CopyFrom(&src, 3), EReadError);
    EXPECT_THROW(part.CopyFrom(&src, -1), EReadError);
    EXPECT_THROW(part.CopyFrom(nullptr, 1), EReadError);
    EXPECT_THROW(part.SaveToStream(nullptr), EWriteError);
    EXPECT_THROW(part.LoadFromStream(nullptr), EReadError);
    EXPECT_EQ(Contents(part), data.substr(10, 5));
}

TEST(StringStream, WriteReplacesTheTailAndSeekStaysInside) {
    TStringStream s("hello world");
    EXPECT_EQ(s.GetSize(), 11);
    EXPECT_EQ(s.ReadString(5), "hello");
    EXPECT_EQ(s.ReadString(100), " world");
    EXPECT_EQ(s.ReadString(-3), "");
    EXPECT_EQ(s.Seek(100, soFromBeginning), 11);
    EXPECT_EQ(s.Seek(-100, soFromCurrent), 0);
    EXPECT_EQ(s.Seek(-5, soFromEnd), 6);
    s.WriteString("W");
    EXPECT_EQ(s.GetDataString(), "hello W");
    // Writing the stream's own text into itself.
    s.SetPosition(0);
    s.WriteString(s.GetDataString());
    EXPECT_EQ(s.GetDataString(), "hello W");
    s.SetSize(3);
    EXPECT_EQ(s.GetDataString(), "hel");
    EXPECT_EQ(s.GetPosition(), 3);
    char buf[4];
    s.SetPosition(1);
    EXPECT_EQ(s.Read(buf, 4), 2);
    EXPECT_EQ(s.Write(buf, -1), 0);
}

TEST(ResourceHeader, RoundTripAndRejectsBadHeaders) {
    TMemoryStream s;
    LongInt fixup = 0;
    s.WriteResourceHeader("Form1", fixup);
    s.WriteBuffer("TPF0", 4);
    s.FixupResourceHeader(fixup);
    EXPECT_EQ(s.GetPosition(), s.GetSize());
    const auto* bytes = static_cast<const Byte*>(s.GetMemory());
    EXPECT_EQ(bytes[0], 0xFF);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes) + 3, 6), std::string("FORM1\0", 6));
    EXPECT_EQ(bytes[fixup - 4], 4); // data size
    s.SetPosition(0);
    s.ReadResHeader();
    EXPECT_EQ(s.GetPosition(), fixup);

    auto rejects = [](std::string raw) {
        TStringStream t(raw);
        return MessageOf<EInvalidImage>([&] { t.ReadResHeader(); });
    };
    EXPECT_EQ(rejects(""), "Invalid stream format");
    EXPECT_EQ(rejects("TPF0"), "Invalid stream format");
    EXPECT_EQ(rejects(std::string("\xFF\x0B\x00X\0\x30\x10\0\0\0\0", 11)), "Invalid stream format");
    EXPECT_EQ(rejects(std::string("\xFF\x0A\x00NAME-WITHOUT-END", 19)), "Invalid stream format");
    EXPECT_EQ(rejects(std::string("\xFF\x0A\x00X\0\x30\x10\0", 8)), "Invalid stream format");
    // A numbered resource header is accepted.
    TStringStream id(std::string("\xFF\x0A\x00\xFF\x05\x00\x30\x10\0\0\0\0", 12));
    id.ReadResHeader();
    EXPECT_EQ(id.GetPosition(), 12);
}

TEST(FileStream, ModesAndErrors) {
    TempDir dir;
    const std::string path = dir.File("data.bin");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { TFileStream f(path, fmOpenRead); }),
              "Cannot open file " + path);
    {
        TFileStream f(path, fmCreate);
        f.WriteBuffer("0123456789", 10);
        EXPECT_EQ(f.GetSize(), 10);
        f.SetSize(4);
        EXPECT_EQ(f.GetSize(), 4);
        EXPECT_EQ(f.GetPosition(), 4);
    }
    {
        TFileStream f(path, fmOpenRead);
        char buf[10];
        EXPECT_EQ(f.Read(buf, 10), 4);
        EXPECT_EQ(std::string(buf, 4), "0123");
        EXPECT_EQ(f.Write("x", 1), 0); // opened for reading only
        EXPECT_THROW(f.WriteBuffer("x", 1), EWriteError);
    }
    {
        TFileStream f(path, fmOpenWrite);
        char c;
        EXPECT_EQ(f.Read(&c, 1), 0);
        f.Seek(0, soFromEnd);
        f.WriteBuffer("AB", 2);
    }
    TMemoryStream m;
    m.LoadFromFile(path);
    EXPECT_EQ(Contents(m), "0123AB");

    EXPECT_EQ(MessageOf<EFCreateError>([&] { TFileStream f(dir.File("no/such/dir"), fmCreate); }),
              "Cannot create file " + dir.File("no/such/dir"));
    EXPECT_THROW(TFileStream(dir.File(""), fmOpenRead), EFOpenError); // a directory
    EXPECT_THROW(TFileStream(path, 0x0003), EFOpenError);             // no such access mode
    EXPECT_THROW(TFileStream(path, fmOpenRead | 0x0050), EFOpenError);
    EXPECT_THROW(TFileStream("", fmCreate), EFCreateError);
}

TEST(FileStream, ShareModesBetweenStreams) {
    TempDir dir;
    const std::string path = dir.File("shared.txt");
    {
        TMemoryStream m;
        m.WriteBuffer("keep", 4);
        m.SaveToFile(path);
    }
    {
        TFileStream first(path, fmOpenRead | fmShareExclusive);
        EXPECT_THROW(TFileStream(path, fmOpenRead | fmShareDenyNone), EFOpenError);
        // Refused creation must not truncate the file that is still in use.
        EXPECT_THROW(TFileStream(path, fmCreate), EFCreateError);
    }
    {
        TFileStream reader(path, fmOpenRead | fmShareDenyWrite);
        TFileStream secondReader(path, fmOpenRead | fmShareDenyNone);
        EXPECT_THROW(TFileStream(path, fmOpenWrite | fmShareDenyNone), EFOpenError);
    }
    {
        TFileStream writer(path, fmOpenReadWrite | fmShareDenyNone);
        // The newcomer denies writing, which the open writer already does.
        EXPECT_THROW(TFileStream(path, fmOpenRead | fmShareDenyWrite), EFOpenError);
        TFileStream other(path, fmOpenRead | fmShareDenyNone);
    }
    TMemoryStream m;
    m.LoadFromFile(path);
    EXPECT_EQ(Contents(m), "keep");
}

TEST(HandleStream, WorksOnADescriptorItDoesNotOwn) {
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    {
        THandleStream out(static_cast<THandle>(fds[1]));
        THandleStream in(static_cast<THandle>(fds[0]));
        EXPECT_EQ(in.GetHandle(), static_cast<THandle>(fds[0]));
        out.WriteBuffer("ping", 4);
        char buf[4];
        in.ReadBuffer(buf, 4);
        EXPECT_EQ(std::string(buf, 4), "ping");
        EXPECT_EQ(in.Seek(0, soFromBeginning), -1); // pipes cannot seek
    }
    EXPECT_EQ(::close(fds[0]), 0); // still open: the streams did not close them
    EXPECT_EQ(::close(fds[1]), 0);
    THandleStream bad(INVALID_HANDLE_VALUE);
    char c;
    EXPECT_EQ(bad.Read(&c, 1), 0);
    EXPECT_THROW(bad.ReadBuffer(&c, 1), EReadError);
}

TEST(ResourceStream, FindsRegisteredResourcesByNameOrId) {
    RegisterResource(HInstance, "TFORM1", RT_RCDATA, std::string("\x01\x02\x00\x03", 4));
    RegisterResource(HInstance, MakeIntResource(7), RT_RCDATA, "seven");
    {
        TResourceStream r(HInstance, "tForm1", RT_RCDATA); // names ignore case
        EXPECT_EQ(r.GetSize(), 4);
        EXPECT_EQ(Contents(r), std::string("\x01\x02\x00\x03", 4));
        // Registering again replaces the data for new streams only.
        RegisterResource(HInstance, "TFORM1", RT_RCDATA, "new");
        EXPECT_EQ(Contents(r), std::string("\x01\x02\x00\x03", 4));
    }
    TResourceStream again(HInstance, "TFORM1", RT_RCDATA);
    EXPECT_EQ(Contents(again), "new");
    std::unique_ptr<TResourceStream> byId(TResourceStream::CreateFromID(HInstance, 7, RT_RCDATA));
    EXPECT_EQ(Contents(*byId), "seven");
    TResourceStream hashName(HInstance, "#7", RT_RCDATA);
    EXPECT_EQ(Contents(hashName), "seven");

    EXPECT_EQ(MessageOf<EResNotFound>([] { TResourceStream r(HInstance, "MISSING", RT_RCDATA); }),
              "Resource MISSING not found");
    EXPECT_EQ(MessageOf<EResNotFound>([] { TResourceStream r(HInstance, "TFORM1", RT_BITMAP); }),
              "Resource TFORM1 not found");
    EXPECT_EQ(MessageOf<EResNotFound>(
                  [] { delete TResourceStream::CreateFromID(HInstance, 8, RT_RCDATA); }),
              "Resource 8 not found");
    EXPECT_EQ(MessageOf<EResNotFound>(
                  [] { delete TResourceStream::CreateFromID(HInstance, 0x10007, RT_RCDATA); }),
              "Resource 65543 not found");
    EXPECT_FALSE(FindResource(HInstance + 1, "TFORM1", RT_RCDATA));
    UnregisterResource(HInstance, "TFORM1", RT_RCDATA);
    UnregisterResource(HInstance, MakeIntResource(7), RT_RCDATA);
    EXPECT_FALSE(FindResource(HInstance, "TFORM1", RT_RCDATA));
}
