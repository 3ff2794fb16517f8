// TComponent: ownership, names, free notifications, component state and the hooks that
// component streaming and actions build on.
#pragma once

#include "host/classes/Persistent.h"
#include "host/classes/TypInfoTraits.h"
#include "host/system/Closure.h"
#include "host/system/Interfaces.h"

namespace host {

class TList;
class TComponent;
class TBasicAction;
class TReader;
class TWriter;

enum TOperation { opInsert, opRemove };

enum TComponentStateE {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups,
    csInline
};
HOST_ENUM_INFO(TComponentStateE, csLoading, csReading, csWriting, csDestroying, csDesigning,
               csAncestor, csUpdating, csFixups, csInline)
using TComponentState = Set<TComponentStateE, 9>;

enum TComponentStyleE { csInheritable, csCheckPropAvail };
HOST_ENUM_INFO(TComponentStyleE, csInheritable, csCheckPropAvail)
using TComponentStyle = Set<TComponentStyleE, 2>;

using TComponentName = AnsiString;
using TGetChildProc = Closure<void(TComponent* Child)>;

/// The automation wrapper a component may carry (VCLComObject).
struct IVCLComObject : IUnknown {
    static constexpr TGUID IID = GuidOf("{E07892A0-F52F-11CF-BD2F-0020AF0E5B81}");
    virtual void FreeOnRelease() = 0;

protected:
    ~IVCLComObject() = default;
};

/// Called when a component is asked for its COM object and has none; may set VCLComObject.
extern void (*CreateVCLComObjectProc)(TComponent* Component);

class TComponent : public TPersistent {
    HOST_CLASS(TComponent, TPersistent)
public:
    /// Creates the component and, when `AOwner` is given, inserts it into its owner. The insert
    /// notification reaches the new component while only its TComponent part exists, so its
    /// own Notification override does not hear of its insertion (its siblings' overrides do).
    explicit TComponent(TComponent* AOwner);
    /// Notifies the components linked by FreeNotification, destroys the owned components,
    /// unlinks every free notification and leaves the owner.
    ~TComponent() override;

    /// Marks the component (and its owned components) as being destroyed.
    void BeforeDestruction() override;

    // ---- ownership ----
    TComponent* GetOwner() override { return FOwner; }
    /// Raises EListError "List index out of bounds (%d)" for a bad index.
    TComponent* GetComponents(Integer Index) const;
    Integer GetComponentCount() const;
    /// The position in the owner's list; -1 without an owner.
    Integer GetComponentIndex() const;
    /// Moves the component within its owner's list; the index is kept within the list.
    void SetComponentIndex(Integer Value);
    /// Takes `AComponent` over (from its previous owner, if any) and notifies the owned
    /// components (opInsert). Raises EComponentError for a duplicate name or an ownership cycle.
    void InsertComponent(TComponent* AComponent);
    /// Gives up an owned component, notifying the owned components (opRemove); a component
    /// owned by another is left alone.
    void RemoveComponent(TComponent* AComponent);
    void DestroyComponents();
    void Destroying();
    /// The owned component with this name, ignoring case; null for an empty name.
    TComponent* FindComponent(const AnsiString& AName) const;

    // ---- notifications ----
    /// Links this component and `AComponent` so that each is told (Notification, opRemove)
    /// when the other is destroyed.
    void FreeNotification(TComponent* AComponent);
    /// Undoes FreeNotification, in both directions.
    void RemoveFreeNotification(TComponent* AComponent);

    // ---- names and state ----
    const TComponentName& GetName() const { return FName; }
    /// Raises EComponentError "''%s'' is not a valid component name" for a name that is not an
    /// identifier, and "A component named %s already exists" for a name the owner already has.
    virtual void SetName(const TComponentName& NewName);
    TComponentState GetComponentState() const { return FComponentState; }
    TComponentStyle GetComponentStyle() const { return FComponentStyle; }
    Integer GetTag() const { return FTag; }
    void SetTag(Integer Value) { FTag = Value; }
    LongInt GetDesignInfo() const { return FDesignInfo; }
    void SetDesignInfo(LongInt Value) { FDesignInfo = Value; }
    AnsiString GetNamePath() override;

    // ---- streaming hooks ----
    /// Writes the component: prefix, class, name, properties and children (TWriter::WriteData).
    virtual void WriteState(TWriter* Writer);
    virtual TComponent* GetParentComponent();
    virtual bool HasParent();
    virtual void SetParentComponent(TComponent* Value);

    // ---- actions ----
    /// Lets `Action` execute on this component if it handles it; returns whether it did.
    virtual bool ExecuteAction(TBasicAction* Action);
    /// Lets `Action` update this component if it handles it; returns whether it did.
    virtual bool UpdateAction(TBasicAction* Action);

    // ---- COM ----
    /// The interface of the component's COM object; raises EComponentError when it has none.
    ComPtr<IUnknown> GetComObject();
    void* GetVCLComObject() const { return FVCLComObject; }
    void SetVCLComObject(void* Value) { FVCLComObject = Value; }
    /// Tells the COM object to free the component when its last reference goes.
    void FreeOnRelease();

protected:
    /// Reads the component's body from a form: lets the reader's parent adopt it
    /// (SetParentComponent), then reads properties and children (TReader::ReadData).
    virtual void ReadState(TReader* Reader);
    /// Streams DesignInfo as "Left" and "Top", where the designer placed a non-visual component.
    void DefineProperties(TFiler* Filer) override;
    virtual void ChangeName(const TComponentName& NewName);
    virtual void GetChildren(TGetChildProc Proc, TComponent* Root);
    virtual TComponent* GetChildOwner();
    virtual TComponent* GetChildParent();
    virtual void Loaded();
    virtual void Notification(TComponent* AComponent, TOperation Operation);
    virtual void SetAncestor(bool Value);
    virtual void SetDesigning(bool Value, bool SetChildren = true);
    virtual void SetInline(bool Value);
    virtual void SetChildOrder(TComponent* Child, Integer Order);
    virtual void Updating();
    virtual void Updated();
    virtual void ValidateRename(TComponent* AComponent, const AnsiString& CurName,
                                const AnsiString& NewName);
    virtual void ValidateContainer(TComponent* AComponent);
    virtual void ValidateInsert(TComponent* AComponent);
    /// Unlinks every free notification in both directions, without notifying.
    void RemoveFreeNotifications();

    TComponent* FOwner = nullptr;
    TComponentName FName;
    Integer FTag = 0;
    TList* FComponents = nullptr;
    TList* FFreeNotifies = nullptr;
    LongInt FDesignInfo = 0;
    void* FVCLComObject = nullptr;
    TComponentState FComponentState;
    TComponentStyle FComponentStyle{csInheritable};

    // Component streaming sets states and reaches the hooks above.
    friend class TReader;
    friend class TWriter;
    friend void NotifyGlobalLoading();

private:
    void ReadLeft(TReader* Reader);
    void ReadTop(TReader* Reader);
    void WriteLeft(TWriter* Writer);
    void WriteTop(TWriter* Writer);
    void Insert(TComponent* AComponent);
    void Remove(TComponent* AComponent);
    void SetReference(bool Enable);
    void AddNotify(TComponent* AComponent);
    void RemoveNotify(TComponent* AComponent);
    void NotifyOwned(TComponent* AComponent, TOperation Operation);
    unsigned fComponentsVersion = 0; // changes whenever FComponents does
    unsigned fNotifiesVersion = 0;   // changes whenever FFreeNotifies does
};

/// Creates a component of class `Class` (which must have a virtual constructor) with `AOwner`,
/// as the host's `Class.Create(AOwner)`. Raises EComponentError for a class that has none.
TComponent* CreateComponent(TClass Class, TComponent* AOwner);

/// The metaclass of a component class: a MakeMetaClass whose virtual constructor creates a `T`
/// with an owner (used by form reading and CreateComponent).
template <class T>
constexpr TMetaClass MakeComponentMetaClass(const char* Name, TClass Parent,
                                            TMetaClass Extra = {}) {
    Extra = MakeMetaClass<T>(Name, Parent, Extra);
    if constexpr (!std::is_abstract_v<T>) {
        if (!Extra.NewWithOwner)
            Extra.NewWithOwner = [](TObject* Owner) -> TObject* {
                T* c = new T(As<TComponent>(Owner));
                try {
                    c->AfterConstruction(); // a form reads its layout here, which may fail
                } catch (...) {
                    FreeObject(c);
                    throw;
                }
                return c;
            };
    }
    return Extra;
}

} // namespace host

/// Defines the metaclass of a component class in its .cpp: HOST_COMPONENT_METACLASS(TButton, ...).
#define HOST_COMPONENT_METACLASS(Name, Parent, ...)                                                \
    constinit const ::host::TMetaClass Name::ClassMeta =                                           \
        ::host::MakeComponentMetaClass<Name>(#Name, &Parent::ClassMeta __VA_OPT__(, ) __VA_ARGS__)
