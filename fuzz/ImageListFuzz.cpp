// libFuzzer target: the image-list stream of form files. Any input must load as an image list
// or raise EReadError; what loads draws, and what it writes loads again to the same images and
// is written again to the same bytes.
#include "host/classes/Streams.h"
#include "host/controls/DragImageList.h"
#include "host/graphics/Bitmap.h"
#include "host/system/Exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

using namespace host;

namespace {
struct List : TImageList {
    List() : TImageList(nullptr) {}
    using TImageList::ReadData;
    using TImageList::WriteData;
};

bool Same(TMemoryStream& A, TMemoryStream& B) {
    return A.GetSize() == B.GetSize() &&
           std::memcmp(A.GetMemory(), B.GetMemory(), std::size_t(A.GetSize())) == 0;
}

void Check(const std::uint8_t* Data, std::size_t Size) {
    List list;
    TMemoryStream in;
    in.WriteBuffer(Data, static_cast<Integer>(Size));
    in.SetPosition(0);
    try {
        list.ReadData(&in);
    } catch (const EReadError&) {
        return;
    }
    if (in.GetPosition() > in.GetSize()) std::abort();
    TBitmap target;
    target.SetSize(16, 16);
    for (Integer i = 0; i < std::min(list.GetCount(), 8); ++i) {
        list.Draw(target.GetCanvas(), 0, 0, i);
        list.Draw(target.GetCanvas(), 0, 0, i, false);
    }
    // Changed, the list writes its own stream; that one reads back and writes the same.
    list.SetBkColor(list.GetBkColor());
    TMemoryStream out;
    list.WriteData(&out);
    out.SetPosition(0);
    List again;
    again.ReadData(&out); // raises: a fault of the writer
    if (again.GetCount() != list.GetCount() || again.GetWidth() != list.GetWidth()) std::abort();
    again.SetBkColor(again.GetBkColor());
    TMemoryStream twice;
    again.WriteData(&twice);
    if (!Same(out, twice)) std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size > (1 << 20)) return 0;
    std::size_t before = LiveObjects::Count();
    Check(Data, Size);
    if (LiveObjects::Count() != before) std::abort();
    return 0;
}
