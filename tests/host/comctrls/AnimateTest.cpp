// AVI clips read from their RIFF structure: pixel formats, run-length frames, bad files.
#include "host/comctrls/Animate.h"
#include "host/classes/Streams.h"
#include "host/comctrls/AviFile.h"
#include "host/forms/Application.h"
#include "host/system/Exceptions.h"
#include "tests/host/ReferencePictures.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace host;

void Put32(std::string& S, Cardinal V) {
    for (int i = 0; i < 4; ++i) S += char((V >> (8 * i)) & 0xFF);
}
void Put16(std::string& S, Word V) {
    S += char(V & 0xFF);
    S += char(V >> 8);
}
std::string ChunkOf(const char* Id, const std::string& Body) {
    std::string s(Id, 4);
    Put32(s, Cardinal(Body.size()));
    s += Body;
    if (Body.size() & 1) s += '\0';
    return s;
}
std::string ListOf(const char* Type, const std::string& Body) {
    return ChunkOf("LIST", std::string(Type, 4) + Body);
}

/// A one-stream clip of `Frames` (each a chunk body) in the given format.
std::string Clip(Integer W, Integer H, Word Bits, Cardinal Compression,
                 const std::vector<std::string>& Frames, const std::string& Palette = "") {
    std::string avih;
    Put32(avih, 100000); // 10 frames a second
    avih += std::string(12, '\0');
    Put32(avih, Cardinal(Frames.size()));
    avih += std::string(12, '\0');
    Put32(avih, Cardinal(W));
    Put32(avih, Cardinal(H));
    avih += std::string(16, '\0');
    std::string strh = "vids";
    strh += std::string(52, '\0');
    std::string strf;
    Put32(strf, 40);
    Put32(strf, Cardinal(W));
    Put32(strf, Cardinal(H));
    Put16(strf, 1);
    Put16(strf, Bits);
    Put32(strf, Compression);
    strf += std::string(12, '\0');
    Put32(strf, Cardinal(Palette.size() / 4));
    Put32(strf, 0);
    strf += Palette;
    std::string movi;
    for (const std::string& f : Frames) movi += ChunkOf(Compression ? "00dc" : "00db", f);
    std::string body =
        "AVI " +
        ListOf("hdrl", ChunkOf("avih", avih) +
                           ListOf("strl", ChunkOf("strh", strh) + ChunkOf("strf", strf))) +
        ListOf("movi", movi);
    return ChunkOf("RIFF", body);
}

std::string Palette2() {
    std::string p;
    Put32(p, 0x000000FF); // blue (B G R 0)
    Put32(p, 0x0000FF00); // green
    return p;
}

TEST(AviFile, UncompressedFramesAreReadBottomUpWithRowPadding) {
    // 3 x 2 at 24 bits: rows of 9 bytes padded to 12; the first row in the file is the bottom.
    std::string bottom =
        std::string("\x00\x00\xFF", 3) + std::string(6, '\0') + std::string(3, '\0');
    std::string top = std::string(6, '\0') + std::string("\xFF\x00\x00", 3) + std::string(3, '\0');
    TAviClip c = ReadAviClip(Clip(3, 2, 24, 0, {bottom + top}));
    ASSERT_EQ(c.FrameCount(), 1);
    EXPECT_EQ(c.Width, 3);
    EXPECT_EQ(c.Height, 2);
    EXPECT_EQ(c.MicroSecPerFrame, 100000u);
    EXPECT_EQ(c.Pixel(0, 0, 1), 0x0000FFu); // red at the bottom left
    EXPECT_EQ(c.Pixel(0, 2, 0), 0xFF0000u); // blue at the top right
    EXPECT_EQ(c.Pixel(0, 1, 0), 0u);
}

TEST(AviFile, SixteenAndEightBitFramesAndAnEmptyChunkRepeatsTheFrame) {
    // 1 x 1, 5-5-5: pure red is 0x7C00.
    std::string red16 = std::string("\x00\x7C\x00\x00", 4);
    TAviClip c = ReadAviClip(Clip(1, 1, 16, 0, {red16, ""}));
    ASSERT_EQ(c.FrameCount(), 2);
    EXPECT_EQ(c.Pixel(0, 0, 0), 0x0000FFu);
    EXPECT_EQ(c.Pixel(1, 0, 0), 0x0000FFu);
    TAviClip p = ReadAviClip(Clip(2, 1, 8, 0, {std::string("\x01\x00\x00\x00", 4)}, Palette2()));
    EXPECT_EQ(p.Pixel(0, 0, 0), 0x00FF00u);
    EXPECT_EQ(p.Pixel(0, 1, 0), 0xFF0000u);
}

TEST(AviFile, RunLengthFramesChangeOnlyWhatTheyCode) {
    // RLE8, 4 x 1: a run of four 0s, end of bitmap; then a delta of 2 and one pixel of 1.
    std::string first = std::string("\x04\x00\x00\x01", 4);
    std::string second = std::string("\x00\x02\x02\x00\x01\x01\x00\x01", 8);
    TAviClip c = ReadAviClip(Clip(4, 1, 8, 1, {first, second}, Palette2()));
    ASSERT_EQ(c.FrameCount(), 2);
    EXPECT_EQ(c.Pixel(1, 1, 0), 0xFF0000u);
    EXPECT_EQ(c.Pixel(1, 2, 0), 0x00FF00u);
    EXPECT_EQ(c.Pixel(1, 3, 0), 0xFF0000u);
    // RLE4: a run of 3 alternating 1 and 0 in absolute mode.
    std::string four = std::string("\x00\x03\x10\x00\x00\x01", 6);
    TAviClip r = ReadAviClip(Clip(3, 1, 4, 2, {four}, Palette2()));
    EXPECT_EQ(r.Pixel(0, 0, 0), 0x00FF00u);
    EXPECT_EQ(r.Pixel(0, 1, 0), 0xFF0000u);
}

TEST(AviFile, BadFilesRaiseTheControlsErrorAndAskForNoUnboundedMemory) {
    auto fails = [](const std::string& Data, const char* Reason) {
        try {
            ReadAviClip(Data);
            ADD_FAILURE() << "read: " << Reason;
        } catch (const EInvalidOperation& e) {
            EXPECT_EQ(e.Message(), AnsiString("Cannot open AVI: ") + Reason);
        }
    };
    fails("", "the file is not an AVI file");
    fails("RIFF\x04\0\0\0WAVE", "the file is not an AVI file");
    std::string good = Clip(1, 1, 32, 0, {std::string(4, '\0')});
    fails(good.substr(0, good.size() - 3), "the file is cut short");
    fails(Clip(1, 1, 32, 3, {std::string(4, '\0')}),
          "the video is coded in a way this control does not play");
    fails(Clip(5000, 1, 32, 0, {}), "the frame size is out of range");
    fails(Clip(2, 2, 24, 0, {std::string(3, '\0')}), "a frame is cut short");
    fails(Clip(1, 1, 32, 0, {}), "the file has no frames");
    // A chunk that claims more than its list holds.
    std::string lying = good;
    lying[16] = '\x7F';
    EXPECT_THROW(ReadAviClip(lying), EInvalidOperation);
    // 4096 x 4096 frames: each fits, but two of them pass the clip's bound.
    std::string big(std::size_t(4096) * 4096 * 4, '\0');
    fails(Clip(4096, 4096, 32, 0, {big, ""}), "the clip is too large");
}

struct Seen {
    std::string Log;
    void Open(TObject*) { Log += "open "; }
    void Close(TObject*) { Log += "close "; }
    void Start(TObject*) { Log += "start "; }
    void Stop(TObject*) { Log += "stop "; }
};

/// Three 2 x 1 frames at 10 a second, registered as the resource "CLIP".
void RegisterThreeFrames() {
    std::string f = std::string(8, '\0');
    RegisterResource(HInstance, "CLIP", TResName("AVI"), Clip(2, 1, 32, 0, {f, f, f}));
}

TEST(Animate, OpensAResourcePlaysOnTheClockAndStopsAfterItsRepetitions) {
    RegisterThreeFrames();
    Seen seen;
    TAnimate a(nullptr);
    a.SetOnOpen(TNotifyEvent::Bind<&Seen::Open>(&seen));
    a.SetOnClose(TNotifyEvent::Bind<&Seen::Close>(&seen));
    a.SetOnStart(TNotifyEvent::Bind<&Seen::Start>(&seen));
    a.SetOnStop(TNotifyEvent::Bind<&Seen::Stop>(&seen));
    a.SetResName("clip");
    EXPECT_TRUE(a.GetOpen());
    EXPECT_EQ(a.GetFrameCount(), 3);
    EXPECT_EQ(a.GetFrameWidth(), 2);
    EXPECT_EQ(a.GetWidth(), 2); // AutoSize fits the frames
    a.SetRepetitions(2);
    a.SetActive(true);
    EXPECT_EQ(a.CurrentFrame(), 1);
    Application()->AdvanceClock(100);
    EXPECT_EQ(a.CurrentFrame(), 2);
    Application()->AdvanceClock(200);
    EXPECT_EQ(a.CurrentFrame(), 1); // the second time round
    EXPECT_TRUE(a.GetActive());
    Application()->AdvanceClock(300);
    EXPECT_FALSE(a.GetActive());
    EXPECT_EQ(a.CurrentFrame(), 3);
    a.Seek(2);
    EXPECT_EQ(a.CurrentFrame(), 2);
    EXPECT_THROW(a.Seek(4), EInvalidOperation);
    a.SetOpen(false);
    EXPECT_EQ(a.GetFrameCount(), 0);
    EXPECT_EQ(seen.Log, "open start stop close ");
    UnregisterResource(HInstance, "CLIP", TResName("AVI"));
}

TEST(Animate, PlayStopAndResetAndAFileThatIsNoClip) {
    RegisterThreeFrames();
    TAnimate a(nullptr);
    EXPECT_THROW(a.Play(1, 1, 0), EInvalidOperation); // nothing open
    a.SetResName("CLIP");
    a.Play(2, 3, 0); // until stopped
    Application()->AdvanceClock(1000);
    EXPECT_TRUE(a.GetActive());
    a.Stop();
    Integer at = a.CurrentFrame();
    Application()->AdvanceClock(1000);
    EXPECT_EQ(a.CurrentFrame(), at);
    a.Reset();
    EXPECT_EQ(a.CurrentFrame(), 1);
    EXPECT_THROW(a.Play(3, 2, 1), EInvalidOperation);
    RegisterResource(HInstance, "BAD", TResName("AVI"), "not a clip");
    EXPECT_THROW(a.SetResName("BAD"), EInvalidOperation);
    EXPECT_FALSE(a.GetOpen());
    UnregisterResource(HInstance, "CLIP", TResName("AVI"));
    UnregisterResource(HInstance, "BAD", TResName("AVI"));
}

TEST(Animate, CommonAnimationsHaveFramesOfTheirOwnAndLookAsDrawn) {
    TAnimate a(nullptr);
    a.SetCommonAVI(aviFindFolder);
    EXPECT_TRUE(a.GetOpen());
    EXPECT_EQ(a.GetFrameCount(), 8);
    EXPECT_EQ(a.GetFrameWidth(), 48);
    a.SetCommonAVI(aviCopyFiles);
    EXPECT_EQ(a.GetFrameCount(), 12);
    EXPECT_EQ(a.GetFrameWidth(), 272);
    EXPECT_EQ(a.GetFrameHeight(), 60);
    // Each frame differs from the one before: the page moves.
    TAviClip c = CommonAviClip(aviCopyFiles);
    for (std::size_t f = 1; f < c.Frames.size(); ++f) EXPECT_NE(c.Frames[f], c.Frames[f - 1]) << f;
    a.SetFileName("");
    EXPECT_EQ(a.GetCommonAVI(), aviNone);
    EXPECT_FALSE(a.GetOpen());
    a.SetCommonAVI(aviRecycleFile);
    a.Seek(5);
    auto b = picturetest::Own(new TBitmap);
    b->SetSize(a.GetWidth(), a.GetHeight());
    a.PaintTo(b->GetCanvas(), 0, 0);
    picturetest::ExpectLooksAs(b.get(), "comctrls_animate_recycle.png");
}

} // namespace
