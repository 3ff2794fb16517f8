// The class-info family pattern: every class info is a table of its own members, from which
// both its descriptor texts and its name dispatch come. This header declares the rows, the table
// and the one CRTP layer that supplies the ten overrides; the verbs that build rows live in
// ClassInfoRows.h, which only the units' .cpp files include.
#pragma once

#include "core/Zelcommon.h"

#include <array>
#include <cstddef>

namespace host {
struct TTypeInfo;
}

namespace zeltrix {

using TzelGetFn = Variant (*)(TzelClassInfo* Self, TzelPropertyInfo* Info);
using TzelSetFn = void (*)(TzelClassInfo* Self, TzelPropertyInfo* Info, const Variant& Value);
using TzelInvokeFn = void (*)(TzelClassInfo* Self, TzelMethodInfo* Info);

/// A property: Define (a new record) or Override (changes an inherited record's style and
/// visibility). Get/Set say which accesses this class info handles; an Override with accessors
/// changes how an inherited property is reached.
struct TzelPropRow {
    const char* Name;
    bool Override;
    TzelPropertyStyle Style;
    TzelPropertyVisibility Visibility;
    const char* Indexes; // index names joined by ','; empty for none
    TzelGetFn Get;
    TzelSetFn Set;
    /// What the value is shown by (an enumeration, a set, integers with identifiers), for
    /// tools that print values; null for the rest.
    const host::TTypeInfo* Type;

    constexpr TzelPropRow published() const { return withVisibility(pvPublished); }
    constexpr TzelPropRow protected_() const { return withVisibility(pvProtected); }
    constexpr TzelPropRow withVisibility(TzelPropertyVisibility V) const {
        TzelPropRow r = *this;
        r.Visibility = V;
        return r;
    }
};

struct TzelMethodRow {
    const char* Name;
    TzelMethodStyle Style;
    const char* Args; // argument names joined by ','
    TzelInvokeFn Invoke;
    const host::TTypeInfo* Type; // of a function's result, as TzelPropRow::Type
};

struct TzelCtorRow {
    const char* Name;
    const char* Args;
};

/// An event: Define hooks the host event with a forwarder; Override only changes visibility.
struct TzelEventRow {
    const char* Name;
    bool Override;
    TzelPropertyVisibility Visibility;
    const char* Params;
    host::TMethod (*GetHandler)(TObject* Owner);
    void (*SetHandler)(TObject* Owner, const host::TMethod& Handler);
    host::TMethod (*Forwarder)(TzelClassInfo* Self); // the closure to install

    constexpr TzelEventRow published() const { return withVisibility(pvPublished); }
    constexpr TzelEventRow protected_() const { return withVisibility(pvProtected); }
    constexpr TzelEventRow withVisibility(TzelPropertyVisibility V) const {
        TzelEventRow r = *this;
        r.Visibility = V;
        return r;
    }
};

template <class R>
struct TzelRows {
    const R* Data = nullptr;
    int Count = 0;
    constexpr TzelRows() = default;
    template <int N>
    constexpr TzelRows(const R (&A)[N]) : Data(A), Count(N) {}
    template <std::size_t N>
    constexpr TzelRows(const std::array<R, N>& A) : Data(A.data()), Count(static_cast<int>(N)) {}
    constexpr const R* begin() const { return Data; }
    constexpr const R* end() const { return Data + Count; }
};

/// The four descriptor texts of a class info: built at unit start-up, released at shut-down.
struct TzelDescriptorTexts {
    AnsiString Properties, Methods, Constructors, Events;
};

struct TzelClassTable {
    host::TClass HostClass;            // the host class, registered under its name
    TzelClassInfoClass ClassInfoClass; // the class info's metaclass
    const TzelClassTable* Parent;      // null for the root of the family
    TzelRows<TzelPropRow> Properties;
    TzelRows<TzelMethodRow> Methods;
    TzelRows<TzelCtorRow> Constructors;
    TzelRows<TzelEventRow> Events;
    TzelDescriptorTexts* Texts;
};

/// Produces the four descriptor texts of a table from its rows.
TzelDescriptorTexts zelDescriptorTexts(const TzelClassTable& Table);
/// Builds the texts of each table and registers its class info with the registry, in order.
void zelInitializeUnit(const TzelClassTable* const* Tables, int Count);
/// Releases the texts of each table.
void zelFinalizeUnit(const TzelClassTable* const* Tables, int Count);
/// The table of a registered family class info; null for other class-info classes.
const TzelClassTable* zelFindTable(TzelClassInfoClass ClassInfoClass);
/// The type a class info's readable property, or its function's result, is shown by (see
/// TzelPropRow::Type), looked up through its table; null when there is none to show.
const host::TTypeInfo* zelShownPropertyType(const TzelClassInfo* ClassInfo, const AnsiString& Name);
const host::TTypeInfo* zelShownResultType(const TzelClassInfo* ClassInfo, const AnsiString& Name);
template <int N>
void zelInitializeUnit(const TzelClassTable* const (&Tables)[N]) {
    zelInitializeUnit(Tables, N);
}
template <int N>
void zelFinalizeUnit(const TzelClassTable* const (&Tables)[N]) {
    zelFinalizeUnit(Tables, N);
}

/// The fat core behind every family member: dispatch by name with the record's row cached,
/// event hooks and the owner check. Ordinary code in ClassInfoDispatch.cpp and EventHooks.cpp.
struct TzelDispatch {
    static Variant Get(TzelClassInfo* Self, const TzelClassTable& Table, TzelPropertyInfo* Info);
    static void Set(TzelClassInfo* Self, const TzelClassTable& Table, TzelPropertyInfo* Info,
                    const Variant& Value);
    static void Invoke(TzelClassInfo* Self, const TzelClassTable& Table, TzelMethodInfo* Info);
    /// The rows that handle `Name` in the chain starting at `Table`; null where none does.
    static const TzelPropRow* FindGetter(const TzelClassTable& Table, const AnsiString& Name);
    static const TzelPropRow* FindSetter(const TzelClassTable& Table, const AnsiString& Name);
    static const TzelMethodRow* FindInvoker(const TzelClassTable& Table, const AnsiString& Name);

    static void CheckOwner(TzelClassInfo* Self, const TzelClassTable& Table);
    static void HookEvents(TzelClassInfo* Self, const TzelClassTable& Table);
    static void UnhookEvents(TzelClassInfo* Self, const TzelClassTable& Table);
    static void Hook(TzelClassInfo* Self, const TzelEventRow& Row);
    static void Unhook(TzelClassInfo* Self, const TzelEventRow& Row);
    static void UnhookAll(TzelClassInfo* Self);
    /// The hook whose forwarder is `Installed` on `Owner`, if a live class info installed it.
    static TzelHook* HookInstalledAs(const host::TMethod& Installed, TObject* Owner);

    /// The owner of `Self` as the host class of a row; raises when there is none.
    static TObject* Owner(TzelClassInfo* Self) {
        if (!Self->FOwner) NoOwner();
        return Self->FOwner;
    }
    [[noreturn]] static void NoOwner();
    [[noreturn]] static void MissingArguments(const TzelFeature* Info, int Needed);
};

/// One forwarder running: finds its hook and event record, keeps the class info alive, and
/// keeps the arguments of an outer firing of the same event across a nested one.
class TzelForwardScope {
public:
    TzelForwardScope(void* Data, void* Code);
    ~TzelForwardScope();
    TzelForwardScope(const TzelForwardScope&) = delete;
    TzelForwardScope& operator=(const TzelForwardScope&) = delete;

    /// False when the forwarder has nothing to forward to (its hook is gone).
    bool Active() const { return FClassInfo != nullptr; }
    /// The value slot of argument `Index`, or null when the event record has no such argument.
    Variant* Arg(int Index) const;
    const host::TMethod& Saved() const { return FSaved; }
    /// Fires the event to the listeners unless the owner has gone meanwhile.
    void Fire();

private:
    TzelClassInfo* FClassInfo = nullptr;
    TzelEventInfo* FEvent = nullptr;
    host::TMethod FSaved;
    Variant* FOuter = nullptr; // argument values of an outer firing, restored afterwards
    int FOuterCount = 0;
};

/// The CRTP layer: the ten overrides of every family member. `Self` declares its table with
/// ZEL_CLASSINFO; `Parent` is the class info of the host class's nearest described ancestor;
/// `Host` is the host class `Self` describes (a forward declaration is enough here).
template <class Self, class Parent, class Host>
class TzelFamily : public Parent {
public:
    using ZelParent = Parent;
    using ZelHost = Host;

    void ConnectEventHandlers() override {
        TzelDispatch::CheckOwner(this, Self::ZelTable);
        Parent::ConnectEventHandlers();
        TzelDispatch::HookEvents(this, Self::ZelTable);
    }
    void UnConnectEventHandlers() override {
        TzelDispatch::UnhookEvents(this, Self::ZelTable);
        Parent::UnConnectEventHandlers();
    }
    void DefineZELProperties(host::TList* List) override {
        Parent::DefineZELProperties(List);
        this->ReadZELProperties(Self::ZelTable.Texts->Properties);
    }
    void DefineZELMethods(host::TList* List) override {
        Parent::DefineZELMethods(List);
        this->ReadZELMethods(Self::ZelTable.Texts->Methods);
    }
    void DefineZELConstructors(host::TList* List) override {
        Parent::DefineZELConstructors(List);
        this->ReadZELConstructors(Self::ZelTable.Texts->Constructors);
    }
    void DefineZELEvents(host::TList* List) override {
        Parent::DefineZELEvents(List);
        this->ReadZELEvents(Self::ZelTable.Texts->Events);
    }
    Variant GetProperty(TzelPropertyInfo* Info) override {
        return TzelDispatch::Get(this, Self::ZelTable, Info);
    }
    void SetProperty(TzelPropertyInfo* Info, const Variant& Value) override {
        TzelDispatch::Set(this, Self::ZelTable, Info, Value);
    }
    void InvokeMethod(TzelMethodInfo* Info) override {
        TzelDispatch::Invoke(this, Self::ZelTable, Info);
    }
    /// Constructor records only describe the host's constructors.
    void InvokeConstructor(TzelConstructorInfo*) override {}
};

} // namespace zeltrix

/// First in the body of a class info: its metaclass and its member table. The rows are defined
/// in the unit's .cpp inside the nested ZelRows, which may name protected value slots:
///   class TStreamClassInfo : public TzelFamily<TStreamClassInfo, TObjectClassInfo, TStream> {
///       ZEL_CLASSINFO(TStreamClassInfo)
///   protected:
///       Variant FReadBuffer;
///   };
#define ZEL_CLASSINFO(Name)                                                                        \
    HOST_CLASS(Name, ZelParent)                                                                    \
public:                                                                                            \
    static const ::zeltrix::TzelClassTable ZelTable;                                               \
                                                                                                   \
private:                                                                                           \
    struct ZelRows;

/// A class info with nothing of its own but its table, in one line of its unit's header:
/// ZEL_PLAIN_CLASSINFO(TListClassInfo, TObjectClassInfo, host::TList).
#define ZEL_PLAIN_CLASSINFO(Name, Parent, Host)                                                    \
    class Name : public ::zeltrix::TzelFamily<Name, Parent, Host> {                                \
        ZEL_CLASSINFO(Name)                                                                        \
    }
