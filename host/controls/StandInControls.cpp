#include "host/controls/StandInControls.h"

#include "host/classes/KeptProperties.h"
#include "host/classes/RuntimeClass.h"
#include "host/classes/StandIn.h"
#include "host/classes/TypInfo.h"

namespace host {

namespace {
template <class Base>
TComponent* NewStandIn(TClass Class, TComponent* Owner) {
    return new TStandInControlOf<Base>(Owner, Class);
}
} // namespace

TClass StandInClassOf(const AnsiString& Name, TStandInKind Kind) {
    switch (Kind) {
    case TStandInKind::Control:
        return MakeRuntimeClass(Name, TGraphicControl::StaticClass(), &NewStandIn<TGraphicControl>,
                                true);
    case TStandInKind::WinControl:
        return MakeRuntimeClass(Name, TCustomControl::StaticClass(), &NewStandIn<TCustomControl>,
                                true);
    default: return StandInClass(Name);
    }
}

template <class Base>
void TStandInControlOf<Base>::GetChildren(TGetChildProc Proc, TComponent* Root) {
    TComponent* owner = GetChildOwner() ? this : Root;
    if (!owner) return;
    for (Integer i = 0; i < owner->GetComponentCount(); ++i)
        if (TComponent* c = owner->GetComponents(i); c->GetParentComponent() == this) Proc(c);
}

template <class Base>
TComponent* TStandInControlOf<Base>::GetChildOwner() {
    return this->GetComponentState().Contains(csInline) ? this : nullptr;
}

template <class Base>
void TStandInControlOf<Base>::Loaded() {
    Base::Loaded();
    const TKeptProperties* kept = this->GetKeptProperties();
    if (!kept) return;
    if (AnsiString align = kept->FindIdent("Align"); !align.empty()) {
        Integer a = GetEnumValue(HostEnumTypeInfo(static_cast<TAlign*>(nullptr)), align);
        if (a >= 0) this->SetAlign(TAlign(a));
    }
    this->SetVisible(kept->FindBoolean("Visible", this->GetVisible()));
}

template class TStandInControlOf<TGraphicControl>;
template class TStandInControlOf<TCustomControl>;

} // namespace host
