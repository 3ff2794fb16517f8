#include "host/graphics/GdiObjects.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>

namespace host {

namespace {
struct Table {
    std::mutex Lock; // threads paint onto bitmaps of their own, as the host allows
    std::unordered_map<HGDIOBJ, std::shared_ptr<TGdiObject>> Objects;
    HGDIOBJ Next = 0x100; // small numbers are never handles, so a count is never taken for one
    HGDIOBJ Stock[DEFAULT_GUI_FONT + 1] = {};
};

Table& Objects() {
    static Table* t = new Table; // handles may be released during static destruction
    return *t;
}

HGDIOBJ AddLocked(Table& T, std::shared_ptr<TGdiObject> Object) {
    do ++T.Next;
    while (T.Next == 0 || T.Objects.count(T.Next)); // past 2^32 handles: skip the live ones
    T.Objects.emplace(T.Next, std::move(Object));
    return T.Next;
}

std::shared_ptr<TGdiObject> MakeStock(Integer Index) {
    auto brush = [](Cardinal Style, TColorRef Color) {
        return std::make_shared<TGdiBrush>(TLogBrush{Style, Color, 0});
    };
    auto pen = [](Cardinal Style, TColorRef Color) {
        return std::make_shared<TGdiPen>(TLogPen{Style, {Style == PS_NULL ? 0 : 1, 0}, Color});
    };
    auto font = [](Integer Height, Integer Weight, const char* Face) {
        TLogFont f;
        f.lfHeight = Height;
        f.lfWeight = Weight;
        std::strncpy(f.lfFaceName, Face, LF_FACESIZE - 1);
        return std::make_shared<TGdiFont>(f);
    };
    switch (Index) {
    case WHITE_BRUSH: return brush(BS_SOLID, RGB(255, 255, 255));
    case LTGRAY_BRUSH: return brush(BS_SOLID, RGB(192, 192, 192));
    case GRAY_BRUSH: return brush(BS_SOLID, RGB(128, 128, 128));
    case DKGRAY_BRUSH: return brush(BS_SOLID, RGB(64, 64, 64));
    case BLACK_BRUSH: return brush(BS_SOLID, RGB(0, 0, 0));
    case NULL_BRUSH: return brush(BS_NULL, 0);
    case WHITE_PEN: return pen(PS_SOLID, RGB(255, 255, 255));
    case BLACK_PEN: return pen(PS_SOLID, RGB(0, 0, 0));
    case NULL_PEN: return pen(PS_NULL, 0);
    case SYSTEM_FONT: return font(16, FW_BOLD, "System");
    case DEFAULT_GUI_FONT: return font(-11, FW_NORMAL, "MS Sans Serif");
    default: return nullptr;
    }
}
} // namespace

HGDIOBJ GdiAddObject(std::shared_ptr<TGdiObject> Object) {
    if (!Object) return 0;
    Table& t = Objects();
    std::lock_guard g(t.Lock);
    return AddLocked(t, std::move(Object));
}

std::shared_ptr<TGdiObject> GdiFindObject(HGDIOBJ Handle) {
    if (!Handle) return nullptr;
    Table& t = Objects();
    std::lock_guard g(t.Lock);
    auto it = t.Objects.find(Handle);
    return it == t.Objects.end() ? nullptr : it->second;
}

std::size_t GdiObjectCount() {
    Table& t = Objects();
    std::lock_guard g(t.Lock);
    return t.Objects.size();
}

HPEN CreatePenIndirect(const TLogPen& LogPen) {
    TLogPen l = LogPen;
    if (l.lopnWidth.X < 0) l.lopnWidth.X = 0;
    return GdiAddObject(std::make_shared<TGdiPen>(l));
}

HPEN CreatePen(Integer Style, Integer Width, TColorRef Color) {
    return CreatePenIndirect(TLogPen{static_cast<Cardinal>(Style), {Width, 0}, Color & 0xFFFFFF});
}

HBRUSH CreateBrushIndirect(const TLogBrush& LogBrush) {
    return GdiAddObject(std::make_shared<TGdiBrush>(LogBrush));
}

HBRUSH CreateSolidBrush(TColorRef Color) {
    return CreateBrushIndirect(TLogBrush{BS_SOLID, Color & 0xFFFFFF, 0});
}

HBRUSH CreateHatchBrush(Integer Hatch, TColorRef Color) {
    return CreateBrushIndirect(
        TLogBrush{BS_HATCHED, Color & 0xFFFFFF, static_cast<std::uintptr_t>(Hatch)});
}

HFONT CreateFontIndirect(const TLogFont& LogFont) {
    TLogFont l = LogFont;
    l.lfFaceName[LF_FACESIZE - 1] = 0;
    return GdiAddObject(std::make_shared<TGdiFont>(l));
}

HGDIOBJ GetStockObject(Integer Index) {
    if (Index < 0 || Index > DEFAULT_GUI_FONT) return 0;
    Table& t = Objects();
    std::lock_guard g(t.Lock);
    HGDIOBJ& h = t.Stock[Index];
    if (!h) {
        std::shared_ptr<TGdiObject> o = MakeStock(Index);
        if (!o) return 0;
        o->Stock = true;
        h = AddLocked(t, std::move(o));
    }
    return h;
}

bool DeleteObject(HGDIOBJ Handle) {
    std::shared_ptr<TGdiObject> dying; // destroyed outside the lock
    Table& t = Objects();
    {
        std::lock_guard g(t.Lock);
        auto it = t.Objects.find(Handle);
        if (it == t.Objects.end()) return false;
        if (it->second->Stock) return true; // the platform accepts and ignores it
        dying = std::move(it->second);
        dying->InTable = false;
        t.Objects.erase(it);
    }
    return true;
}

Integer GetObjectType(HGDIOBJ Handle) {
    std::shared_ptr<TGdiObject> o = GdiFindObject(Handle);
    return o ? o->Type : 0;
}

Integer GetObject(HGDIOBJ Handle, Integer Size, void* Buffer) {
    std::shared_ptr<TGdiObject> o = GdiFindObject(Handle);
    if (!o) return 0;
    const void* record = nullptr;
    Integer size = 0;
    switch (o->Type) {
    case OBJ_PEN:
        record = &static_cast<TGdiPen&>(*o).Log;
        size = sizeof(TLogPen);
        break;
    case OBJ_BRUSH:
        record = &static_cast<TGdiBrush&>(*o).Log;
        size = sizeof(TLogBrush);
        break;
    case OBJ_FONT:
        record = &static_cast<TGdiFont&>(*o).Log;
        size = sizeof(TLogFont);
        break;
    default: return 0;
    }
    if (!Buffer) return size;
    if (Size <= 0) return 0;
    Integer n = std::min(Size, size);
    std::memcpy(Buffer, record, static_cast<std::size_t>(n));
    return n;
}

} // namespace host
