// Hooking a host object's events: saving its handlers, installing forwarders, taking them out
// again in any order, and what every forwarder does around the host call.
#include "core/ClassInfoFamily.h"

namespace zeltrix {

using host::TMethod;

namespace {
/// Whether a class info between `Self`'s own and `Table` defines an event named `Name` again:
/// the host class then declares an event of its own under that name, which is the one `Self`
/// forwards; the ancestor's is left as the host object has it.
bool RedefinedBelow(const TzelClassInfo* Self, const TzelClassTable& Table,
                    const AnsiString& Name) {
    for (host::TClass c = Self->ClassType(); c && c != Table.ClassInfoClass; c = c->Parent) {
        const TzelClassTable* t = zelFindTable(c);
        if (!t) continue;
        for (const TzelEventRow& r : t->Events)
            if (!r.Override && Name == r.Name) return true;
    }
    return false;
}
} // namespace

void TzelDispatch::HookEvents(TzelClassInfo* Self, const TzelClassTable& Table) {
    for (const TzelEventRow& r : Table.Events)
        if (!r.Override && !RedefinedBelow(Self, Table, r.Name)) Hook(Self, r);
}

void TzelDispatch::UnhookEvents(TzelClassInfo* Self, const TzelClassTable& Table) {
    for (const TzelEventRow& r : Table.Events)
        if (!r.Override) Unhook(Self, r);
}

void TzelDispatch::Hook(TzelClassInfo* Self, const TzelEventRow& Row) {
    TObject* owner = Self->FOwner;
    if (!owner) return;
    for (const TzelHook& h : Self->FHooks)
        if (h.Row == &Row) return; // hooked already
    TzelHook h{&Row, Row.GetHandler(owner), Row.Forwarder(Self)};
    Self->FHooks.push_back(h);
    Row.SetHandler(owner, h.Installed);
}

TzelHook* TzelDispatch::HookInstalledAs(const TMethod& Installed, TObject* Owner) {
    auto* ci = static_cast<TzelClassInfo*>(
        host::LiveObjects::Find(Installed.Data, TzelClassInfo::StaticClass()));
    if (!ci || ci->FOwner != Owner) return nullptr;
    for (TzelHook& h : ci->FHooks)
        if (h.Installed == Installed) return &h;
    return nullptr;
}

// Restores the saved handler only while this forwarder is the installed one. Otherwise a later
// hook (another class info's) saved it: that hook is given this one's saved handler instead, so
// the chain stays whole and no forwarder of a freed class info is ever reinstalled.
void TzelDispatch::Unhook(TzelClassInfo* Self, const TzelEventRow& Row) {
    auto& hooks = Self->FHooks;
    auto it = hooks.begin();
    while (it != hooks.end() && it->Row != &Row) ++it;
    if (it == hooks.end()) return;
    const TzelHook mine = *it;
    hooks.erase(it);
    TObject* owner = Self->FOwner;
    if (!owner) return;
    TMethod current = Row.GetHandler(owner);
    if (current == mine.Installed) {
        Row.SetHandler(owner, mine.Saved);
        return;
    }
    for (int step = 0; step < 10000 && current.Code; ++step) {
        TzelHook* later = HookInstalledAs(current, owner);
        if (!later) return; // the host's handler was replaced outright: leave it
        if (later->Saved == mine.Installed) {
            later->Saved = mine.Saved;
            return;
        }
        current = later->Saved;
    }
}

void TzelDispatch::UnhookAll(TzelClassInfo* Self) {
    while (!Self->FHooks.empty()) Unhook(Self, *Self->FHooks.back().Row);
}

// ---- forwarding ----

TzelForwardScope::TzelForwardScope(void* Data, void* Code) {
    auto* ci = static_cast<TzelClassInfo*>(Data);
    TzelHook* hook = nullptr;
    for (TzelHook& h : ci->FHooks)
        if (h.Installed.Code == Code) {
            hook = &h;
            break;
        }
    if (!hook) return;
    FClassInfo = ci;
    ++ci->FBusy;
    FSaved = hook->Saved;
    if (hook->CachedGeneration != ci->FGeneration) {
        hook->CachedEvent = ci->FindEvent(hook->Row->Name);
        hook->CachedGeneration = ci->FGeneration;
    }
    FEvent = hook->CachedEvent;
    if (!FEvent) return;
    // The same event fired again from inside a listener: keep this firing's arguments aside
    // and put them back when the inner firing ends, so the outer write-back is right.
    if (FEvent->FForwarding > 0 && !FEvent->Args.empty()) {
        FOuterCount = static_cast<int>(FEvent->Args.size());
        FOuter = new Variant[static_cast<std::size_t>(FOuterCount)];
        for (int i = 0; i < FOuterCount; ++i)
            FOuter[i] = FEvent->Args[static_cast<std::size_t>(i)]->Value;
    }
    ++FEvent->FForwarding;
}

TzelForwardScope::~TzelForwardScope() {
    if (!FClassInfo) return;
    if (FEvent) {
        --FEvent->FForwarding;
        if (FOuter) {
            for (int i = 0; i < FOuterCount; ++i)
                FEvent->Args[static_cast<std::size_t>(i)]->Value = FOuter[i];
            delete[] FOuter;
        }
    }
    if (--FClassInfo->FBusy == 0 && FClassInfo->FFreePending) FClassInfo->Free();
}

Variant* TzelForwardScope::Arg(int Index) const {
    if (!FEvent || Index >= static_cast<int>(FEvent->Args.size())) return nullptr;
    return &FEvent->Args[static_cast<std::size_t>(Index)]->Value;
}

void TzelForwardScope::Fire() {
    if (FEvent && !FClassInfo->FReleased) FClassInfo->FireEvent(FEvent);
}

} // namespace zeltrix
