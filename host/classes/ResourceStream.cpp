// Resources registered by the program, and TResourceStream over them.
#include "host/classes/Streams.h"

#include "host/system/SysUtils.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <tuple>

namespace host {

HOST_METACLASS(TResourceStream, TCustomMemoryStream);

// ---- resource names ----

TResName::TResName(const char* AName) {
    // Values below 0x10000 are identifiers passed as names, as the host's MAKEINTRESOURCE.
    auto v = reinterpret_cast<std::uintptr_t>(AName);
    if (v < 0x10000) {
        IsId = true;
        Id = static_cast<Word>(v);
    } else {
        Name = AName;
    }
}

TResName TResName::FromId(Word AId) {
    TResName r{AnsiString()};
    r.IsId = true;
    r.Id = AId;
    return r;
}

AnsiString TResName::Display() const {
    return IsId ? std::to_string(Id) : Name;
}

namespace {
/// The key of a name: "#" and the identifier, or the text in upper case ("#12" as text is the
/// identifier 12, as for the host's resources).
AnsiString Key(const TResName& N) {
    if (N.IsId) return "#" + std::to_string(N.Id);
    AnsiString k = N.Name;
    for (char& c : k)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return k;
}

using ResKey = std::tuple<THandle, AnsiString, AnsiString>; // instance, type, name

struct Resources {
    std::mutex Lock;
    std::map<ResKey, std::shared_ptr<const std::string>> Data;
};

Resources& TheResources() {
    static auto* r = new Resources; // outlives streams freed during static teardown
    return *r;
}

std::shared_ptr<const std::string> Lookup(THandle Instance, const TResName& Name,
                                          const TResName& Type) {
    Resources& r = TheResources();
    std::lock_guard g(r.Lock);
    auto it = r.Data.find({Instance, Key(Type), Key(Name)});
    return it == r.Data.end() ? nullptr : it->second;
}
} // namespace

void RegisterResource(THandle Instance, const TResName& Name, const TResName& Type,
                      std::string_view Data) {
    if (Data.size() > 0x7FFFFFFFu)
        throw EStreamError("Out of memory while expanding memory stream");
    auto bytes = std::make_shared<const std::string>(Data);
    Resources& r = TheResources();
    std::lock_guard g(r.Lock);
    r.Data[{Instance, Key(Type), Key(Name)}] = std::move(bytes);
}

void UnregisterResource(THandle Instance, const TResName& Name, const TResName& Type) {
    Resources& r = TheResources();
    std::lock_guard g(r.Lock);
    r.Data.erase({Instance, Key(Type), Key(Name)});
}

bool FindResource(THandle Instance, const TResName& Name, const TResName& Type) {
    return Lookup(Instance, Name, Type) != nullptr;
}

// ---- TResourceStream ----

TResourceStream::TResourceStream(THandle Instance, const TResName& ResName, const TResName& ResType)
    : fData(Lookup(Instance, ResName, ResType)) {
    if (!fData) RaiseFmt<EResNotFound>("Resource %s not found", {ResName.Display()});
    // The data is shared and never written through this pointer (Write refuses).
    SetPointer(const_cast<char*>(fData->data()), static_cast<LongInt>(fData->size()));
}

TResourceStream* TResourceStream::CreateFromID(THandle Instance, Integer ResID,
                                               const TResName& ResType) {
    // Identifiers are 16-bit; a wider number names no resource (rather than another one).
    if (ResID < 0 || ResID > 0xFFFF) RaiseFmt<EResNotFound>("Resource %d not found", {ResID});
    return new TResourceStream(Instance, TResName::FromId(static_cast<Word>(ResID)), ResType);
}

TResourceStream::~TResourceStream() = default;

LongInt TResourceStream::Write(const void*, LongInt) {
    throw EStreamError("Can't write to a read-only resource stream");
}

} // namespace host
