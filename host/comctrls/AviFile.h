// Reading AVI clips: the RIFF structure (hdrl/avih/strh/strf, the movi chunks of the video
// stream), frames uncompressed (8, 16, 24 or 32 bits) or run-length coded (RLE8, RLE4).
#pragma once

#include "host/system/Types.h"

#include <string_view>
#include <vector>

namespace host {

/// A clip decoded into frames of RGB pixels (0x00BBGGRR), top row first.
struct TAviClip {
    Integer Width = 0, Height = 0;
    Cardinal MicroSecPerFrame = 0;
    std::vector<std::vector<Cardinal>> Frames;

    Integer FrameCount() const { return Integer(Frames.size()); }
    Cardinal Pixel(Integer Frame, Integer X, Integer Y) const {
        return Frames[std::size_t(Frame)][std::size_t(Y) * std::size_t(Width) + std::size_t(X)];
    }
};

/// The animations the host draws itself, for the shell's common operations.
enum TCommonAVI {
    aviNone,
    aviFindFolder,
    aviFindFile,
    aviFindComputer,
    aviCopyFiles,
    aviCopyFile,
    aviRecycleFile,
    aviEmptyRecycle,
    aviDeleteFile
};

/// The frames of a common animation (empty for aviNone): a magnifying glass circling over a
/// folder, a page or a computer; pages flying between folders, into or out of the bin.
TAviClip CommonAviClip(TCommonAVI Kind);

/// The largest clip read: frames times pixels, so that a file cannot ask for unbounded memory.
inline constexpr std::size_t MaxAviPixels = std::size_t(1) << 24;

/// Decodes `Data`; raises EInvalidOperation "Cannot open AVI: <reason>" for a file that is not
/// an AVI, is cut short or inconsistent, has no video stream or codes it otherwise.
TAviClip ReadAviClip(std::string_view Data);

} // namespace host
