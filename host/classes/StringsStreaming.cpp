// TStrings' file and stream members: kept apart so that only they need the stream classes.
#include "host/classes/Streams.h"
#include "host/classes/Strings.h"

namespace host {

namespace {
// Frees a stream when the scope ends, as the host's try/finally does.
struct StreamGuard {
    TStream* Stream;
    ~StreamGuard() { Stream->Free(); }
};
} // namespace

void TStrings::LoadFromFile(const AnsiString& FileName) {
    StreamGuard g{new TFileStream(FileName, fmOpenRead | fmShareDenyWrite)};
    LoadFromStream(g.Stream);
}

void TStrings::LoadFromStream(TStream* Stream) {
    TStringsUpdate update(this);
    LongInt size = Stream->GetSize() - Stream->GetPosition();
    AnsiString text;
    if (size > 0) {
        text.resize(static_cast<std::size_t>(size));
        // Only what was actually read becomes text; a short read leaves no filler behind.
        LongInt got = Stream->Read(text.data(), size);
        text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    }
    SetTextStr(text);
}

void TStrings::SaveToFile(const AnsiString& FileName) {
    StreamGuard g{new TFileStream(FileName, fmCreate)};
    SaveToStream(g.Stream);
}

void TStrings::SaveToStream(TStream* Stream) {
    AnsiString text = GetTextStr();
    Stream->WriteBuffer(text.data(), static_cast<LongInt>(text.size()));
}

} // namespace host
