#include "host/system/Object.h"

#include "host/system/Exceptions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>
#include <thread>
#include <vector>

namespace host {

constinit const TMetaClass TObject::ClassMeta = MakeMetaClass<TObject>("TObject", nullptr);

// ---- metaclass queries ----

bool TMetaClass::InheritsFrom(TClass Ancestor) const {
    for (TClass c = this; c; c = c->Parent)
        if (c == Ancestor) return true;
    return false;
}

static bool SameAsciiText(const char* a, const AnsiString& b) {
    std::size_t n = std::strlen(a);
    if (n != b.size()) return false;
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

bool TMetaClass::ClassNameIs(const AnsiString& Name) const {
    return SameAsciiText(ClassName, Name);
}

const TPublishedMethod* TMetaClass::FindMethod(const AnsiString& Name) const {
    for (TClass c = this; c; c = c->Parent)
        for (int i = 0; i < c->MethodCount; ++i)
            if (SameAsciiText(c->Methods[i].Name, Name)) return &c->Methods[i];
    return nullptr;
}

const TPublishedMethod* TMetaClass::FindMethodByCode(const void* Code) const {
    for (TClass c = this; c; c = c->Parent)
        for (int i = 0; i < c->MethodCount; ++i)
            if (c->Methods[i].Code == Code) return &c->Methods[i];
    return nullptr;
}

const TInterfaceEntry* TMetaClass::FindInterface(const TGUID& IID) const {
    for (TClass c = this; c; c = c->Parent)
        if (c->Interfaces)
            for (int i = 0; i < c->Interfaces->EntryCount; ++i)
                if (c->Interfaces->Entries[i].IID == IID) return &c->Interfaces->Entries[i];
    return nullptr;
}

// ---- live objects ----
//
// Every object enters on construction and leaves on destruction, so this sits on the path of
// every allocation of a host object. The addresses are spread over a few stripes, each an
// open-addressing table behind its own small lock: an insert or erase takes no allocation (the
// table only grows or shrinks by halves), and threads working on different objects seldom meet.

namespace {
struct Watcher {
    const void* Object;
    LiveObjects::FreeObserver Observer;
    void* Data;
};

/// A spin lock: held for a few dozen instructions, never across a call out of this file.
class SpinLock {
public:
    void lock() {
        for (int spins = 0; Flag.exchange(true, std::memory_order_acquire); ++spins) {
            while (Flag.load(std::memory_order_relaxed)) {
                if (++spins > 64) {
                    std::this_thread::yield();
                    spins = 0;
                }
            }
        }
    }
    void unlock() { Flag.store(false, std::memory_order_release); }

private:
    std::atomic<bool> Flag{false};
};

struct Slot {
    const void* Key; // null: empty
    std::uint64_t Id;
};

constexpr unsigned StripeBits = 4;
constexpr unsigned MinSlotBits = 6;

/// Fibonacci hashing: the multiplication carries every bit of the address into the top bits,
/// which pick the stripe and then the slot.
inline std::uint64_t HashOf(const void* Address) {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(Address)) *
           0x9E3779B97F4A7C15ull;
}

/// One stripe: a linear-probing table kept at most half full, deleted by shifting back (no
/// tombstones), plus the watchers of the objects whose addresses fall into it. Trivially
/// destructible, so objects dying during static teardown still find it intact.
struct alignas(64) Stripe {
    SpinLock Lock;
    Slot* Slots = nullptr;
    unsigned SlotBits = 0; // capacity is 1 << SlotBits once Slots is allocated
    std::size_t Size = 0;
    std::uint64_t NextSerial = 1; // serials are counted per stripe and tagged with its number
    std::vector<Watcher>* Watchers = nullptr;

    std::size_t Mask() const { return (std::size_t{1} << SlotBits) - 1; }
    std::size_t Home(std::uint64_t Hash) const {
        return static_cast<std::size_t>((Hash << StripeBits) >> (64 - SlotBits));
    }

    Slot* Lookup(const void* Key, std::uint64_t Hash) const {
        if (!Slots) return nullptr;
        for (std::size_t i = Home(Hash);; i = (i + 1) & Mask()) {
            if (Slots[i].Key == Key) return &Slots[i];
            if (!Slots[i].Key) return nullptr;
        }
    }

    /// False when no memory is left for the new table; the old one then stays as it was.
    bool Rehash(unsigned NewBits) {
        Slot* old = Slots;
        const std::size_t oldCapacity = old ? Mask() + 1 : 0;
        auto* fresh = static_cast<Slot*>(std::calloc(std::size_t{1} << NewBits, sizeof(Slot)));
        if (!fresh) return false;
        Slots = fresh;
        SlotBits = NewBits;
        for (std::size_t j = 0; j < oldCapacity; ++j)
            if (old[j].Key) {
                std::size_t i = Home(HashOf(old[j].Key));
                while (Slots[i].Key) i = (i + 1) & Mask();
                Slots[i] = old[j];
            }
        std::free(old);
        return true;
    }

    void Put(const void* Key, std::uint64_t Hash, std::uint64_t Id) {
        const bool full = !Slots || (Size + 1) * 2 > Mask() + 1;
        if (full && !Rehash(Slots ? SlotBits + 1 : MinSlotBits)) throw std::bad_alloc();
        std::size_t i = Home(Hash);
        while (Slots[i].Key && Slots[i].Key != Key) i = (i + 1) & Mask();
        if (!Slots[i].Key) ++Size;
        Slots[i] = {Key, Id};
    }

    void Erase(const void* Key, std::uint64_t Hash) {
        Slot* hit = Lookup(Key, Hash);
        if (!hit) return;
        // Shift later members of the probe run back into the hole, so every key stays reachable
        // from its home slot without tombstones.
        std::size_t hole = static_cast<std::size_t>(hit - Slots);
        for (std::size_t i = (hole + 1) & Mask(); Slots[i].Key; i = (i + 1) & Mask()) {
            const std::size_t home = Home(HashOf(Slots[i].Key));
            // The entry may move into the hole unless its home lies cyclically in (hole, i].
            if (((i - home) & Mask()) >= ((i - hole) & Mask())) {
                Slots[hole] = Slots[i];
                hole = i;
            }
        }
        Slots[hole] = {nullptr, 0};
        --Size;
        // Give memory back after a burst of objects (keeping the table if that fails); the gap
        // to the growth threshold keeps a table from shrinking and growing in turn.
        if (SlotBits > MinSlotBits && Size * 8 < Mask() + 1) Rehash(SlotBits - 1);
    }
};

constinit Stripe Stripes[std::size_t{1} << StripeBits];

inline std::size_t StripeIndex(std::uint64_t Hash) {
    return static_cast<std::size_t>(Hash >> (64 - StripeBits));
}
inline Stripe& StripeOf(std::uint64_t Hash) {
    return Stripes[StripeIndex(Hash)];
}
} // namespace

struct LiveObjectsAccess {
    static void Enter(TObject* o) {
        const std::uint64_t h = HashOf(o);
        Stripe& s = StripeOf(h);
        std::lock_guard g(s.Lock);
        // Unique without a shared counter (another atomic operation per object): the stripe's
        // own count with the stripe's number in the low bits; never zero, never reused.
        const std::uint64_t id = (s.NextSerial << StripeBits) | StripeIndex(h);
        s.Put(o, h, id);
        ++s.NextSerial;
        o->fObjectId = id;
    }
    static void Leave(TObject* o) {
        const std::uint64_t h = HashOf(o);
        Stripe& s = StripeOf(h);
        std::vector<Watcher> fire;
        {
            std::lock_guard g(s.Lock);
            s.Erase(o, h);
            if (o->fWatched.load(std::memory_order_relaxed) && s.Watchers) {
                auto it = std::stable_partition(s.Watchers->begin(), s.Watchers->end(),
                                                [o](const Watcher& w) { return w.Object != o; });
                fire.assign(it, s.Watchers->end());
                s.Watchers->erase(it, s.Watchers->end());
            }
        }
        for (const Watcher& w : fire) w.Observer(w.Data, o);
    }
    static void SetWatched(TObject* o) { o->fWatched.store(true, std::memory_order_relaxed); }
};

TObject* LiveObjects::Find(const void* Address, TClass Class) {
    if (!Address) return nullptr;
    const std::uint64_t h = HashOf(Address);
    Stripe& s = StripeOf(h);
    {
        std::lock_guard g(s.Lock);
        if (!s.Lookup(Address, h)) return nullptr;
    }
    auto* o = static_cast<TObject*>(const_cast<void*>(Address));
    if (Class && !o->InheritsFrom(Class)) return nullptr;
    return o;
}

bool LiveObjects::IsAlive(const void* Address, std::uint64_t ObjectId) {
    if (!Address) return false;
    const std::uint64_t h = HashOf(Address);
    Stripe& s = StripeOf(h);
    std::lock_guard g(s.Lock);
    const Slot* hit = s.Lookup(Address, h);
    return hit && hit->Id == ObjectId;
}

std::size_t LiveObjects::Count() {
    std::size_t n = 0;
    for (Stripe& s : Stripes) {
        std::lock_guard g(s.Lock);
        n += s.Size;
    }
    return n;
}

void LiveObjects::Watch(TObject* Obj, FreeObserver Observer, void* Data) {
    Stripe& s = StripeOf(HashOf(Obj));
    std::lock_guard g(s.Lock);
    if (!s.Watchers) s.Watchers = new std::vector<Watcher>; // never freed, like the tables
    s.Watchers->push_back({Obj, Observer, Data});
    LiveObjectsAccess::SetWatched(Obj);
}

void LiveObjects::Unwatch(TObject* Obj, FreeObserver Observer, void* Data) {
    Stripe& s = StripeOf(HashOf(Obj));
    std::lock_guard g(s.Lock);
    if (!s.Watchers) return;
    auto it = std::find_if(s.Watchers->begin(), s.Watchers->end(), [&](const Watcher& w) {
        return w.Object == Obj && w.Observer == Observer && w.Data == Data;
    });
    if (it != s.Watchers->end()) s.Watchers->erase(it);
}

// ---- TObject ----

TObject::TObject() {
    LiveObjectsAccess::Enter(this);
}
TObject::TObject(const TObject&) {
    LiveObjectsAccess::Enter(this);
}
TObject::~TObject() {
    LiveObjectsAccess::Leave(this);
}

AnsiString TObject::ClassName() const {
    return ClassType()->ClassName;
}
bool TObject::ClassNameIs(const AnsiString& Name) const {
    return ClassType()->ClassNameIs(Name);
}
TClass TObject::ClassParent() const {
    return ClassType()->Parent;
}
Integer TObject::InstanceSize() const {
    return static_cast<Integer>(ClassType()->InstanceSize);
}
bool TObject::InheritsFrom(TClass AClass) const {
    return ClassType()->InheritsFrom(AClass);
}

void* TObject::MethodAddress(const AnsiString& Name) const {
    const TPublishedMethod* m = ClassType()->FindMethod(Name);
    return m ? m->Code : nullptr;
}

AnsiString TObject::MethodName(void* Address) const {
    const TPublishedMethod* m = ClassType()->FindMethodByCode(Address);
    return m ? m->Name : AnsiString();
}

void* TObject::FieldAddress(const AnsiString& Name) {
    for (TClass c = ClassType(); c; c = c->Parent)
        for (int i = 0; i < c->FieldCount; ++i)
            if (SameAsciiText(c->Fields[i].Name, Name)) return c->Fields[i].Address(this);
    return nullptr;
}

bool TObject::GetInterface(const TGUID& IID, void** Obj) {
    const TInterfaceEntry* e = ClassType()->FindInterface(IID);
    *Obj = nullptr;
    if (!e) return false;
    *Obj = e->GetInterface(this);
    return *Obj != nullptr;
}

const TInterfaceEntry* TObject::GetInterfaceEntry(TClass Class, const TGUID& IID) {
    return Class ? Class->FindInterface(IID) : nullptr;
}

const TInterfaceTable* TObject::GetInterfaceTable(TClass Class) {
    return Class ? Class->Interfaces : nullptr;
}

void TObject::Dispatch(void* Message) {
    Cardinal msg;
    std::memcpy(&msg, Message, sizeof msg);
    for (TClass c = ClassType(); c; c = c->Parent)
        for (int i = 0; i < c->MessageCount; ++i)
            if (c->Messages[i].Msg == msg) return c->Messages[i].Handler(this, Message);
    DefaultHandler(Message);
}

void TObject::DefaultHandler(void*) {}

HRESULT TObject::SafeCallException(TObject*, void*) {
    return static_cast<HRESULT>(0x8000FFFFu); // E_UNEXPECTED
}

void TObject::Free() {
    BeforeDestruction();
    delete this;
}

[[noreturn]] void RaiseInvalidCast() {
    throw EInvalidCast("Invalid class typecast");
}

} // namespace host
