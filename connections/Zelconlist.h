// The connection list and the base of every connection: membership, ordering, the two linked
// components and their class infos, and the clean-up when a referenced component goes.
#pragma once

#include "host/classes/Component.h"
#include "host/classes/TypInfoTraits.h"
#include "host/system/Exceptions.h"

#include <cstdint>
#include <vector>

namespace host {
class TList;
class TReader;
class TFiler;
} // namespace host

namespace zeltrix {

class TzelClassInfo;
class TzelListener;
class TzelConnection;
class TzelPropertyInfo;
class TzelEventInfo;
class TzelParameterInfo;
class TzelMethodInfo;

/// Where a connection takes a value from. Streamed by name; no default, always written.
enum TzelValueOptions : std::uint8_t { voConstant, voComponentProperty, voEventProperty };
HOST_ENUM_INFO(TzelValueOptions, voConstant, voComponentProperty, voEventProperty)

/// A bad feature name or index value given to a connection.
class EzelInvalidFeature : public host::Exception {
    HOST_CLASS(EzelInvalidFeature, host::Exception)
public:
    using host::Exception::Exception;
    EzelInvalidFeature(const EzelInvalidFeature&) = default;
};

/// Keeps the connections of a form in order, streams them as its children and connects them
/// once the form has been read at run time.
class TzelConnectionList : public host::TComponent {
    HOST_CLASS(TzelConnectionList, host::TComponent)
public:
    explicit TzelConnectionList(host::TComponent* AOwner);
    ~TzelConnectionList() override;

    int GetConnectionCount() const;
    TzelConnection* GetConnection(int Index) const;
    void SetConnection(int Index, TzelConnection* Value);
    void AddConnection(TzelConnection* Connection);
    void RemoveConnection(TzelConnection* Connection);

protected:
    void GetChildren(host::TGetChildProc Proc, host::TComponent* Root) override;
    void Loaded() override;
    void Notification(host::TComponent* AComponent, host::TOperation Operation) override;
    void SetChildOrder(host::TComponent* Child, int Order) override;

private:
    friend class TzelConnection;
    host::TList* FConnections;
};

/// Records where one listener is registered and how often, so that it can be taken out of a
/// class info completely, and never out of one that is already gone.
class TzelListenerLink {
public:
    explicit TzelListenerLink(TzelListener* Listener) : FListener(Listener) {}
    TzelListener* Listener() const { return FListener; }
    TzelClassInfo* Host() const { return FHost; }
    int Count() const { return FCount; }
    /// Adds the listener to `ClassInfo` (once more if it is there already).
    void Add(TzelClassInfo* ClassInfo);
    /// Removes every registration from a class info that still lives.
    void RemoveAll();
    /// `RemoveAll` when the listener is registered with the class info of `Owner`.
    void RemoveFrom(host::TObject* Owner);

private:
    TzelListener* FListener;
    TzelClassInfo* FHost = nullptr;
    std::uint64_t FHostId = 0;
    int FCount = 0;
};

/// A feature info found by name, reused only while it comes from the current class info's
/// current metadata under the current name. The record is never touched unless the class info
/// and its metadata stamp still match, so a rebuilt or freed list is never reached.
template <class Info>
class TzelFeatureCache {
public:
    Info* Get(TzelClassInfo* ClassInfo, const host::AnsiString& Name);
    void Clear() { FInfo = nullptr; }

private:
    Info* FInfo = nullptr;
    std::uint64_t FClassInfoId = 0; // serial of the class info, never reused unlike its address
    unsigned FGeneration = 0;
};
extern template class TzelFeatureCache<TzelPropertyInfo>;
extern template class TzelFeatureCache<TzelEventInfo>;
extern template class TzelFeatureCache<TzelMethodInfo>;

/// Abstract base of the three connection kinds.
/// Told of each connection as it fires, with a line saying what it read and what it wrote or
/// called (zeltrix run --trace). Null: nobody listens, and the connections build no lines.
using TzelTraceProc = void (*)(void* Data, const host::AnsiString& Line);
void zelSetConnectionTrace(TzelTraceProc Proc, void* Data);
bool zelTracing();
void zelTrace(const host::AnsiString& Line);
/// A value as a trace line shows it: strings quoted, the rest as their text.
host::AnsiString zelTraceValue(const host::Variant& Value);

class TzelConnection : public host::TComponent {
    HOST_CLASS(TzelConnection, host::TComponent)
public:
    explicit TzelConnection(host::TComponent* AOwner);
    ~TzelConnection() override;

    /// Registers the listeners; false when a name does not resolve. Pure.
    virtual bool Connect() = 0;
    /// Stops the connection and clears the names of components that are no longer set. Pure.
    virtual void Unconnect() = 0;
    /// Why `Connect` would return false: the first of its tests that fails, in its order, in
    /// words ("no source component", "unknown target property 'Tagg'"); empty when every name
    /// resolves. `Connect` itself asks it. Pure.
    virtual host::AnsiString Diagnose() = 0;
    /// What `Connect` does not test but a connection that connects leaves unused (a parameter
    /// item that does not resolve, a direction that never copies), one line each; none when it
    /// does not connect.
    std::vector<host::AnsiString> Notes();

    int GetIndex() const;
    void SetIndex(int Value);
    TzelConnectionList* GetConnectionList() const { return FConnectionList; }
    void SetConnectionList(TzelConnectionList* List);

    host::TComponent* GetSource() const { return FSource; }
    void SetSource(host::TComponent* Value);
    host::TComponent* GetTarget() const { return FTarget; }
    void SetTarget(host::TComponent* Value);
    TzelClassInfo* GetSourceInfo();
    TzelClassInfo* GetTargetInfo();

    bool HasParent() override;
    host::TComponent* GetParentComponent() override;
    void SetParentComponent(host::TComponent* Value) override;

    /// Shared step 1 of every component setter: refuses a class without a class info.
    static void CheckZeltrixComponent(host::TComponent* Value);
    /// Resolves and caches a component's class info (`GetSourceInfo` and its kin).
    static TzelClassInfo* ResolveInfo(host::TComponent* Component, TzelClassInfo*& Cache);

    /// True while the connection is being read from a form file.
    bool IsLoading() const;
    bool IsDesigning() const;

protected:
    void ReadState(host::TReader* Reader) override;
    void Notification(host::TComponent* AComponent, host::TOperation Operation) override;

    /// Clears every field naming `AComponent` with its caches (a component may be source,
    /// target and value component at once). True when the connection must stop.
    virtual bool ReleaseComponent(host::TComponent* AComponent);
    /// Takes every listener of this connection out of the class info of `AComponent`; used when
    /// a component is replaced or removed from its owner while it lives on.
    void RemoveListenersFrom(host::TComponent* AComponent);
    /// Adds the notes of a connection whose names resolve.
    virtual void AddNotes(std::vector<host::AnsiString>& Notes);
    /// Derived connections announce their listeners once, in their constructor.
    void AddLink(TzelListenerLink* Link);

    /// Marks a running handler whose connection is destroyed by the code it calls; the
    /// handler then stops touching the connection.
    class RunGuard {
    public:
        explicit RunGuard(TzelConnection* C) : FConnection(C), FPrev(C->FDestroyedFlag) {
            C->FDestroyedFlag = &FDead;
        }
        ~RunGuard() {
            if (!FDead)
                FConnection->FDestroyedFlag = FPrev;
            else if (FPrev)
                *FPrev = true;
        }
        bool Dead() const { return FDead; }
        RunGuard(const RunGuard&) = delete;
        RunGuard& operator=(const RunGuard&) = delete;

    private:
        TzelConnection* FConnection;
        bool* FPrev;
        bool FDead = false;
    };

    TzelConnectionList* FConnectionList = nullptr;
    host::TComponent* FSource = nullptr;
    TzelClassInfo* FSourceInfo = nullptr;
    host::TComponent* FTarget = nullptr;
    TzelClassInfo* FTargetInfo = nullptr;

private:
    friend class TzelConnectionList;
    bool* FDestroyedFlag = nullptr;
    TzelListenerLink* FLinks[2] = {};
    int FLinkCount = 0;
};

/// The words of a diagnosis: "no source component", or "source component X has no class info".
host::AnsiString zelMissingComponent(host::TComponent* Component, const char* Role);
/// "no source event", or "unknown source event 'X'".
host::AnsiString zelMissingName(const host::AnsiString& Name, const char* What);

/// Start-up and shut-down of the unit (nothing to register with the class registry).
namespace Zelconlist {
void Initialize();
void Finalize();
} // namespace Zelconlist

} // namespace zeltrix
