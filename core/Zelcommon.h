// Reflection core: metadata records, the descriptor readers, the class info base class and the
// class registry.
#pragma once

#include "host/system/Closure.h"
#include "host/system/Interfaces.h"
#include "host/system/Variant.h"

#include <cstdint>
#include <vector>

namespace host {
class TList;
}

namespace zeltrix {

using host::AnsiString;
using host::TObject;
using host::Variant;

class TzelClassInfo;
class TzelForwardScope;
class TzelParameterInfo;
class TzelEventInfo;
struct TzelEventRow;
struct TzelDispatch;

// ---- styles and visibilities ----

enum TzelPropertyStyleElement : std::uint8_t { psReadable, psWritable, psIndexed };
using TzelPropertyStyle = host::Set<TzelPropertyStyleElement, 3>;
enum TzelPropertyVisibility : std::uint8_t { pvProtected, pvPublic, pvPublished };
enum TzelMethodStyle : std::uint8_t { msFunction, msProcedure };

/// Parameter infos of a property's indexes or of a method's, constructor's or event's arguments.
/// The array does not own them; the record that lists them does.
using TzelArguments = std::vector<TzelParameterInfo*>;

using TNotifyZELEvent = host::Closure<void(TObject* Sender, TzelEventInfo* Event)>;

/// The metaclass of TzelClassInfo and its descendants.
using TzelClassInfoClass = host::TClass;

// ---- metadata records ----

/// A named feature. Name and ClassInfo never change once a reader has created the record.
class TzelFeature : public TObject {
    HOST_CLASS(TzelFeature, TObject)
public:
    TzelFeature(TzelClassInfo* AClassInfo, AnsiString AName);

    TzelClassInfo* const ClassInfo; // the class info whose reader created the record
    const AnsiString Name;
};

class TzelParameterInfo : public TzelFeature {
    HOST_CLASS(TzelParameterInfo, TzelFeature)
public:
    TzelParameterInfo(TzelClassInfo* AClassInfo, AnsiString AName);

    Variant Value; // the value passing through this argument, index or event parameter
};

class TzelPropertyInfo : public TzelFeature {
    HOST_CLASS(TzelPropertyInfo, TzelFeature)
public:
    TzelPropertyInfo(TzelClassInfo* AClassInfo, AnsiString AName, TzelPropertyStyle AStyle,
                     TzelPropertyVisibility AVisibility, const TzelArguments& AIndexes);
    ~TzelPropertyInfo() override;

    int GetIndexCount() const { return static_cast<int>(Indexes.size()); }
    /// Raises the host list's index error for an index outside the list.
    TzelParameterInfo* GetIndexes(int Index) const;

    TzelPropertyStyle Style;
    TzelPropertyVisibility Visibility;
    const TzelArguments Indexes;

private:
    friend struct TzelDispatch;
    // Rows this record was last resolved to, valid while FDispatchKey is the dispatching table.
    mutable const void* FDispatchKey = nullptr;
    mutable const void* FGetRow = nullptr;
    mutable const void* FSetRow = nullptr;
};

class TzelMethodInfo : public TzelFeature {
    HOST_CLASS(TzelMethodInfo, TzelFeature)
public:
    TzelMethodInfo(TzelClassInfo* AClassInfo, AnsiString AName, const TzelArguments& AArgs,
                   TzelMethodStyle AStyle);
    ~TzelMethodInfo() override;

    int GetArgCount() const { return static_cast<int>(Args.size()); }
    TzelParameterInfo* GetArgs(int Index) const;
    /// The first argument named exactly `AName`; null if none.
    TzelParameterInfo* Find(const AnsiString& AName) const;

    TzelMethodStyle Style;
    const TzelArguments Args;
    Variant Result;

private:
    friend struct TzelDispatch;
    mutable const void* FDispatchKey = nullptr;
    mutable const void* FRow = nullptr;
};

class TzelConstructorInfo : public TzelFeature {
    HOST_CLASS(TzelConstructorInfo, TzelFeature)
public:
    TzelConstructorInfo(TzelClassInfo* AClassInfo, AnsiString AName, const TzelArguments& AArgs);
    ~TzelConstructorInfo() override;

    int GetArgCount() const { return static_cast<int>(Args.size()); }
    TzelParameterInfo* GetArgs(int Index) const;
    TzelParameterInfo* Find(const AnsiString& AName) const;

    const TzelArguments Args;
};

class TzelEventInfo : public TzelFeature {
    HOST_CLASS(TzelEventInfo, TzelFeature)
public:
    TzelEventInfo(TzelClassInfo* AClassInfo, AnsiString AName, const TzelArguments& AArgs,
                  TzelPropertyVisibility AVisibility);
    ~TzelEventInfo() override;

    int GetArgCount() const { return static_cast<int>(Args.size()); }
    TzelParameterInfo* GetArgs(int Index) const;
    TzelParameterInfo* Find(const AnsiString& AName) const;

    const TzelArguments Args;
    TzelPropertyVisibility Visibility;

private:
    friend class TzelForwardScope;
    int FForwarding = 0; // forwarders running for this record, for nested firings
};

/// A subscription to one event of one class info. Created, filled and freed by its user.
class TzelListener : public TObject {
    HOST_CLASS(TzelListener, TObject)
public:
    TzelListener() = default;

    AnsiString EventName;
    TNotifyZELEvent Handler;
};

/// Implemented by components that keep their own class info instead of the registry's.
struct IzelObject : host::IUnknown {
    static constexpr host::TGUID IID = host::GuidOf("{A268AC01-268D-11D4-827F-008048A98473}");
    virtual TzelClassInfo* GetZELClassInfo() = 0;

protected:
    ~IzelObject() = default;
};

// ---- descriptor language ----

/// Splits a descriptor text at a two-character delimiter ("::" or "..").
class TStringTokenizer {
public:
    TStringTokenizer(AnsiString AText, AnsiString ADelimiter);
    AnsiString NextToken();
    /// True when at most one unread character remains.
    bool EndOfText() const;
    int GetPosition() const { return FPosition; }

private:
    AnsiString FText;
    AnsiString FDelimiter;
    int FPosition = 1; // 1-based index of the next unread character
};

TzelPropertyStyle ParsePropertyStyles(const AnsiString& Token);
TzelPropertyVisibility ParsePropertyVisibility(const AnsiString& Token);
TzelPropertyVisibility ParseEventVisibility(const AnsiString& Token);
TzelMethodStyle ParseMethodStyle(const AnsiString& Token);

// ---- the class info base class ----

/// One event hook installed by a class info: the host object's handler it saved and the
/// forwarder it put in its place.
struct TzelHook {
    const TzelEventRow* Row;
    host::TMethod Saved;
    host::TMethod Installed;
    TzelEventInfo* CachedEvent = nullptr; // FindEvent(Row->Name) as of CachedGeneration
    unsigned CachedGeneration = 0;
};

class TzelClassInfo : public TObject {
    HOST_CLASS(TzelClassInfo, TObject)
public:
    TzelClassInfo();
    ~TzelClassInfo() override;

    virtual void ConnectEventHandlers();
    virtual void UnConnectEventHandlers();
    virtual void DefineZELProperties(host::TList* List);
    virtual void DefineZELMethods(host::TList* List);
    virtual void DefineZELConstructors(host::TList* List);
    virtual void DefineZELEvents(host::TList* List);
    virtual Variant GetProperty(TzelPropertyInfo* Info);
    virtual void SetProperty(TzelPropertyInfo* Info, const Variant& Value);
    virtual void InvokeMethod(TzelMethodInfo* Info);
    virtual void InvokeConstructor(TzelConstructorInfo* Info);

    /// Empties the four metadata lists and fills them again from the descriptors.
    void InitMetaData();
    /// Unhooks the previous owner, then hooks `AOwner` (null leaves the class info unbound).
    void SetOwner(TObject* AOwner);
    TObject* GetOwner() const { return FOwner; }

    TzelPropertyInfo* FindProperty(const AnsiString& Name) const;
    TzelMethodInfo* FindMethod(const AnsiString& Name) const;
    TzelConstructorInfo* FindConstructor(const AnsiString& Name) const;
    /// The most derived class info's record where a descendant defines the event again.
    TzelEventInfo* FindEvent(const AnsiString& Name) const;

    int GetPropertyCount() const;
    int GetMethodCount() const;
    int GetConstructorCount() const;
    int GetEventCount() const;
    TzelPropertyInfo* GetProperties(int Index) const;
    TzelMethodInfo* GetMethods(int Index) const;
    TzelConstructorInfo* GetConstructors(int Index) const;
    TzelEventInfo* GetEvents(int Index) const;

    void AddListener(TzelListener* Listener);
    void RemoveListener(TzelListener* Listener);
    int GetListenerCount() const;
    /// Calls the handler of every listener of `Event`, in the order they were added.
    void FireEvent(TzelEventInfo* Event);

    /// True once the owner has died or the registry has let go of this class info; it then
    /// has no owner and fires no more events. Lets a caller that kept it alive with a
    /// TzelClassInfoGuard across a call see that the object is gone.
    bool IsReleased() const { return FReleased; }
    /// Changes whenever the metadata lists are rebuilt: a record found before is then looked
    /// up again rather than used.
    unsigned GetGeneration() const { return FGeneration; }

protected:
    void ReadZELProperties(const AnsiString& Text);
    void ReadZELMethods(const AnsiString& Text);
    void ReadZELConstructors(const AnsiString& Text);
    void ReadZELEvents(const AnsiString& Text);

    TObject* FOwner = nullptr;
    host::TList* FProperties;
    host::TList* FMethods;
    host::TList* FConstructors;
    host::TList* FEvents;
    host::TList* FListeners;

private:
    friend struct TzelDispatch;
    friend class TzelForwardScope;
    friend class TzelClassInfoGuard;
    friend class TzelClassRegistry;
    struct FireCursor;
    static void OwnerDied(void* Data, TObject* Dying);
    void DropOwner();
    void ReleaseRecords(host::TList* List);

    std::uint64_t FOwnerId = 0;   // serial of the owner, to tell it from a successor at its address
    int FBusy = 0;                // calls running through this class info
    bool FReleased = false;       // owner gone or released by the registry
    bool FFreePending = false;    // free when the last running call returns
    unsigned FGeneration = 1;     // bumped whenever the metadata lists are rebuilt
    std::vector<TzelHook> FHooks; // installed forwarders, in installation order
    std::vector<TObject*>
        FRetired; // records dropped by a rebuild; kept while connections may hold them
    FireCursor* FCursors = nullptr; // FireEvent loops running, innermost first
};

/// Keeps a class info (and so its records) alive while a call through it runs, even when that
/// call destroys the class info's owner. Release is deferred until the last guard goes.
class TzelClassInfoGuard {
public:
    explicit TzelClassInfoGuard(TzelClassInfo* AClassInfo);
    ~TzelClassInfoGuard();
    TzelClassInfoGuard(const TzelClassInfoGuard&) = delete;
    TzelClassInfoGuard& operator=(const TzelClassInfoGuard&) = delete;

private:
    TzelClassInfo* FClassInfo;
};

// ---- class registry ----

class TzelNotifier;
namespace Zelcommon {
void Initialize();
void Finalize();
} // namespace Zelcommon

struct TzelClassInfoRec {
    AnsiString Name;
    TzelClassInfoClass ClassInfoClass;
    host::TClass HostClass; // the registered host class itself; null when only its name is known
};

class TzelClassRegistry {
public:
    using TIterateProc = host::Closure<void(const AnsiString& Name)>;

    /// Registers `ClassInfoClass` for the host class `Name`; the first registration of a name
    /// wins. With `HostClass` given, only that class (not another class of the same name)
    /// finds the entry.
    static void RegisterClass(const AnsiString& Name, TzelClassInfoClass ClassInfoClass,
                              host::TClass HostClass = nullptr);
    static void Iterate(TIterateProc Proc);
    /// Case-insensitive look-up by name; null if none.
    static TzelClassInfoClass FindClassInfo(const AnsiString& Name);
    /// The class-info class for the object's class or its nearest registered ancestor.
    static TzelClassInfoClass FindClassInfoClass(TObject* Object);
    static TzelClassInfoClass FindClassInfoClass(host::TClass AClass);
    /// The object's class info, created and cached on first request. Null when none can be
    /// made: no object, no registered class, a component being destroyed, or the package is
    /// not loaded.
    static TzelClassInfo* GetClassInfo(TObject* Object);

    static int GetRegisteredCount();
    static int GetLiveCount();

private:
    friend class TzelClassInfo;
    friend class TzelNotifier;
    friend void Zelcommon::Initialize();
    friend void Zelcommon::Finalize();
    static void StartUp();
    static bool Started();
    /// Drops a cached class info whose owner is gone; frees it once no call runs through it.
    static void ForgetClassInfo(TzelClassInfo* ClassInfo);
    static void OwnerRemoved(TObject* Owner);
    static void ShutDown();
    static void Release(TzelClassInfo* ClassInfo);
};

} // namespace zeltrix
