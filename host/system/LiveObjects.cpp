// The host's registry of live objects (LiveObjects in Object.h).
#include "host/system/LiveObjectsAccess.h"
#include "host/system/Object.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace host {

// Every object enters on construction and leaves on destruction, so this sits on the path of
// every allocation of a host object, and look-ups guard every address taken from outside. The
// addresses are spread over a few stripes, each an open-addressing table: changes take the
// stripe's small lock and no allocation (the table only grows, by doubling), and look-ups take
// no lock at all: they read under a sequence count and retry when a change overlapped them.

namespace {
struct Watcher {
    const void* Object;
    LiveObjects::FreeObserver Observer;
    void* Data;
};

inline void CpuRelax() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

/// A spin lock: held for one table change, never while an observer or other host code runs.
class SpinLock {
public:
    void lock() {
        for (int spins = 0; Flag.exchange(true, std::memory_order_acquire);) {
            while (Flag.load(std::memory_order_relaxed)) {
                CpuRelax();
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

/// A slot of a table. Atomic because look-ups read it while a change may be writing it; the
/// sequence count tells them to discard what they read then.
struct Slot {
    std::atomic<const void*> Key{nullptr}; // null: empty
    std::atomic<std::uint64_t> Id{0};
};

struct Table {
    explicit Table(unsigned ABits)
        : Bits(ABits), Mask((std::size_t{1} << ABits) - 1), Slots(new Slot[Mask + 1]) {}
    const unsigned Bits;
    const std::size_t Mask;
    const std::unique_ptr<Slot[]> Slots;
    // Kept, since a look-up may still be probing it; the smaller tables before the current one
    // together take no more than it does.
    std::unique_ptr<Table> Replaced;
};

constexpr unsigned StripeBits = 4;
constexpr unsigned MinSlotBits = 6;

/// Fibonacci hashing: the multiplication carries every bit of the address into the top bits,
/// which pick the stripe and then the slot.
inline std::uint64_t HashOf(const void* Address) {
    return static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(Address)) *
           0x9E3779B97F4A7C15ull;
}

inline std::size_t Home(const Table& T, std::uint64_t Hash) {
    return static_cast<std::size_t>((Hash << StripeBits) >> (64 - T.Bits));
}

constexpr auto Relaxed = std::memory_order_relaxed;

/// One stripe: a linear-probing table kept at most half full, deleted by shifting back (no
/// tombstones), plus the watchers of the objects whose addresses fall into it. Only ever
/// reached through the never-destroyed array below, so objects dying during static teardown
/// still find it intact.
struct alignas(64) Stripe {
    SpinLock Lock;
    std::atomic<std::uint32_t> Sequence{0}; // odd while a change is being written
    std::atomic<Table*> Current{nullptr};
    std::size_t Size = 0;
    std::uint64_t NextSerial = 1; // serials are counted per stripe and tagged with its number
    std::vector<Watcher>* Watchers = nullptr;

    // ---- changes: under Lock, between BeginWrite and EndWrite ----

    void BeginWrite() {
        Sequence.store(Sequence.load(Relaxed) + 1, Relaxed);
        std::atomic_thread_fence(std::memory_order_release);
    }
    void EndWrite() { Sequence.store(Sequence.load(Relaxed) + 1, std::memory_order_release); }

    static void Place(Table& T, const void* Key, std::uint64_t Id) {
        std::size_t i = Home(T, HashOf(Key));
        while (T.Slots[i].Key.load(Relaxed)) i = (i + 1) & T.Mask;
        T.Slots[i].Id.store(Id, Relaxed);
        T.Slots[i].Key.store(Key, Relaxed);
    }

    void Grow() {
        Table* old = Current.load(Relaxed);
        auto fresh = std::make_unique<Table>(old ? old->Bits + 1 : MinSlotBits);
        if (old)
            for (std::size_t j = 0; j <= old->Mask; ++j)
                if (const void* k = old->Slots[j].Key.load(Relaxed))
                    Place(*fresh, k, old->Slots[j].Id.load(Relaxed));
        fresh->Replaced.reset(old);
        Current.store(fresh.release(), std::memory_order_release);
    }

    void Put(const void* Key, std::uint64_t Hash, std::uint64_t Id) {
        Table* t = Current.load(Relaxed);
        if (!t || (Size + 1) * 2 > t->Mask + 1) {
            Grow(); // may throw, before anything changed
            t = Current.load(Relaxed);
        }
        std::size_t i = Home(*t, Hash);
        for (const void* k; (k = t->Slots[i].Key.load(Relaxed)) != nullptr; i = (i + 1) & t->Mask)
            if (k == Key) {
                t->Slots[i].Id.store(Id, Relaxed);
                return;
            }
        t->Slots[i].Id.store(Id, Relaxed);
        t->Slots[i].Key.store(Key, Relaxed);
        ++Size;
    }

    void Erase(const void* Key, std::uint64_t Hash) {
        Table* t = Current.load(Relaxed);
        if (!t) return;
        std::size_t hole = Home(*t, Hash);
        for (;; hole = (hole + 1) & t->Mask) {
            const void* k = t->Slots[hole].Key.load(Relaxed);
            if (!k) return;
            if (k == Key) break;
        }
        // Shift later members of the probe run back into the hole, so every key stays reachable
        // from its home slot without tombstones.
        for (std::size_t i = (hole + 1) & t->Mask;; i = (i + 1) & t->Mask) {
            const void* k = t->Slots[i].Key.load(Relaxed);
            if (!k) break;
            const std::size_t home = Home(*t, HashOf(k));
            // The entry may move into the hole unless its home lies cyclically in (hole, i].
            if (((i - home) & t->Mask) >= ((i - hole) & t->Mask)) {
                t->Slots[hole].Id.store(t->Slots[i].Id.load(Relaxed), Relaxed);
                t->Slots[hole].Key.store(k, Relaxed);
                hole = i;
            }
        }
        t->Slots[hole].Key.store(nullptr, Relaxed);
        t->Slots[hole].Id.store(0, Relaxed);
        --Size;
    }

    // ---- look-ups: no lock ----

    /// The serial of the object at `Key`, or 0 when none lives there.
    std::uint64_t Probe(const void* Key, std::uint64_t Hash) const {
        for (int spins = 0;; ++spins) {
            const std::uint32_t before = Sequence.load(std::memory_order_acquire);
            if (before & 1) {
                Wait(spins);
                continue;
            }
            std::uint64_t id = 0;
            if (const Table* t = Current.load(std::memory_order_acquire)) {
                // At most one lap: a table seen mid-change may have no empty slot left to stop at.
                std::size_t i = Home(*t, Hash);
                for (std::size_t n = 0; n <= t->Mask; ++n, i = (i + 1) & t->Mask) {
                    const void* k = t->Slots[i].Key.load(Relaxed);
                    if (!k) break;
                    if (k == Key) {
                        id = t->Slots[i].Id.load(Relaxed);
                        break;
                    }
                }
            }
            std::atomic_thread_fence(std::memory_order_acquire);
            if (Sequence.load(Relaxed) == before) return id;
        }
    }

    static void Wait(int Spins) {
        if (Spins > 64 && Spins % 64 == 0)
            std::this_thread::yield();
        else
            CpuRelax();
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

void LiveObjectsAccess::Enter(TObject* o) {
    const std::uint64_t h = HashOf(o);
    Stripe& s = StripeOf(h);
    std::lock_guard g(s.Lock);
    // Unique without a shared counter (another atomic operation per object): the stripe's
    // own count with the stripe's number in the low bits; never zero, never reused.
    const std::uint64_t id = (s.NextSerial << StripeBits) | StripeIndex(h);
    s.BeginWrite();
    try {
        s.Put(o, h, id);
    } catch (...) {
        s.EndWrite();
        throw;
    }
    s.EndWrite();
    ++s.NextSerial;
    o->fObjectId = id;
}
void LiveObjectsAccess::Leave(TObject* o) {
    const std::uint64_t h = HashOf(o);
    Stripe& s = StripeOf(h);
    std::vector<Watcher> fire;
    {
        std::lock_guard g(s.Lock);
        s.BeginWrite();
        s.Erase(o, h);
        s.EndWrite();
        if (o->fWatched.load(std::memory_order_relaxed) && s.Watchers) {
            auto it = std::stable_partition(s.Watchers->begin(), s.Watchers->end(),
                                            [o](const Watcher& w) { return w.Object != o; });
            fire.assign(it, s.Watchers->end());
            s.Watchers->erase(it, s.Watchers->end());
        }
    }
    for (const Watcher& w : fire) w.Observer(w.Data, o);
}
void LiveObjectsAccess::SetWatched(TObject* o) {
    o->fWatched.store(true, std::memory_order_relaxed);
}

TObject* LiveObjects::Find(const void* Address, TClass Class) {
    if (!Address) return nullptr;
    const std::uint64_t h = HashOf(Address);
    if (!StripeOf(h).Probe(Address, h)) return nullptr;
    auto* o = static_cast<TObject*>(const_cast<void*>(Address));
    if (Class && !o->InheritsFrom(Class)) return nullptr;
    return o;
}

bool LiveObjects::IsAlive(const void* Address, std::uint64_t ObjectId) {
    if (!Address || !ObjectId) return false;
    const std::uint64_t h = HashOf(Address);
    return StripeOf(h).Probe(Address, h) == ObjectId;
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

} // namespace host
