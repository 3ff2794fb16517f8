#include "host/classes/Filer.h"

#include <algorithm>

namespace host {

HOST_METACLASS(TFiler, TObject);

TFiler::TFiler(TStream* Stream, Integer BufSize)
    : FStream(Stream), FBufSize(std::clamp<Integer>(BufSize, 16, 1 << 20)) {
    FBuffer = std::make_unique<Byte[]>(static_cast<std::size_t>(FBufSize));
}

TFiler::~TFiler() = default;

} // namespace host
