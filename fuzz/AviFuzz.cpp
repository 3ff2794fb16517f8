// libFuzzer target: AVI clips. Any input must read as a clip or raise EInvalidOperation; a clip
// read has frames of its own size within the reader's bound.
#include "host/comctrls/AviFile.h"
#include "host/system/Exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

using namespace host;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size > (1 << 20)) return 0;
    try {
        TAviClip clip = ReadAviClip(std::string_view(reinterpret_cast<const char*>(Data), Size));
        std::size_t pixels = std::size_t(clip.Width) * std::size_t(clip.Height);
        if (clip.Frames.empty() || pixels * clip.Frames.size() > MaxAviPixels) std::abort();
        for (const auto& f : clip.Frames)
            if (f.size() != pixels) std::abort();
    } catch (const EInvalidOperation&) {
    }
    return 0;
}
