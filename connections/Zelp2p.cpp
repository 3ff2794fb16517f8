#include "connections/Zelp2p.h"

#include "core/Zelcommon.h"
#include "host/classes/TypInfo.h"
#include "host/system/SysUtils.h"

namespace zeltrix {

using namespace host;

namespace {
const TPropInfo P2PProps[] = {
    HOST_PROP(TzelP2PConnection, SourceProperty),
    HOST_PROP(TzelP2PConnection, SourcePropertyIndex).Stored(false),
    HOST_PROP(TzelP2PConnection, SourceEvent),
    HOST_PROP(TzelP2PConnection, TargetProperty),
    HOST_PROP(TzelP2PConnection, TargetPropertyIndex).Stored(false),
    HOST_PROP(TzelP2PConnection, TargetEvent),
};
} // namespace
HOST_COMPONENT_METACLASS(TzelP2PConnection, TzelConnection, PropTable(P2PProps));

TzelP2PConnection::TzelP2PConnection(TComponent* AOwner)
    : TzelConnection(AOwner), FSourceListener(new TzelListener()),
      FTargetListener(new TzelListener()), FSourceLink(FSourceListener),
      FTargetLink(FTargetListener) {
    FSourceListener->Handler =
        TNotifyZELEvent::Bind<&TzelP2PConnection::SourcePropertyChange>(this);
    FTargetListener->Handler =
        TNotifyZELEvent::Bind<&TzelP2PConnection::TargetPropertyChange>(this);
    AddLink(&FSourceLink);
    AddLink(&FTargetLink);
}

TzelP2PConnection::~TzelP2PConnection() {
    FSourceLink.RemoveAll();
    FTargetLink.RemoveAll();
    FreeAndNil(FSourceListener);
    FreeAndNil(FTargetListener);
}

TzelPropertyInfo* TzelP2PConnection::GetSourcePropertyInfo() {
    return FSourceProperty.Info(GetSourceInfo());
}
TzelPropertyInfo* TzelP2PConnection::GetTargetPropertyInfo() {
    return FTargetProperty.Info(GetTargetInfo());
}
TzelEventInfo* TzelP2PConnection::GetSourceEventInfo() {
    return FSourceEventInfo.Get(GetSourceInfo(), FSourceEvent);
}
TzelEventInfo* TzelP2PConnection::GetTargetEventInfo() {
    return FTargetEventInfo.Get(GetTargetInfo(), FTargetEvent);
}

// While the connection is read its components are not resolved yet: nothing is validated.
void TzelP2PConnection::SetSourceProperty(const AnsiString& Value) {
    bool validate = !IsLoading();
    FSourceProperty.SetName(Value, validate, validate ? GetSourceInfo() : nullptr);
}

void TzelP2PConnection::SetTargetProperty(const AnsiString& Value) {
    bool validate = !IsLoading();
    FTargetProperty.SetName(Value, validate, validate ? GetTargetInfo() : nullptr);
}

void TzelP2PConnection::SetSourcePropertyIndex(const Variant& Value) {
    bool validate = !IsLoading();
    FSourceProperty.SetIndexes(Value, validate, validate ? GetSourceInfo() : nullptr);
}

void TzelP2PConnection::SetTargetPropertyIndex(const Variant& Value) {
    bool validate = !IsLoading();
    FTargetProperty.SetIndexes(Value, validate, validate ? GetTargetInfo() : nullptr);
}

void TzelP2PConnection::SetEventName(AnsiString& Name, const AnsiString& Value, bool Source) {
    if (Value == Name) return;
    AnsiString old = Name;
    Name = Value;
    if (IsLoading() || Value.empty()) return;
    TzelClassInfo* info = Source ? GetSourceInfo() : GetTargetInfo();
    if (info && info->FindEvent(Value)) return;
    Name = std::move(old);
    if (Source)
        throw EzelInvalidFeature(!info ? "Invalid SourceEvent value. Unknown Source component"
                                       : "Invalid SourceEvent value. Unknown source event");
    throw EzelInvalidFeature(!info ? "Invalid TargetEvent value. Unknown Target component"
                                   : "Invalid TargetEvent value. Unknown target event");
}

void TzelP2PConnection::SetSourceEvent(const AnsiString& Value) {
    SetEventName(FSourceEvent, Value, true);
}
void TzelP2PConnection::SetTargetEvent(const AnsiString& Value) {
    SetEventName(FTargetEvent, Value, false);
}

// The events are optional: Connect does not test them.
AnsiString TzelP2PConnection::Diagnose() {
    if (!GetSourceInfo()) return zelMissingComponent(FSource, "source");
    if (!GetTargetInfo()) return zelMissingComponent(FTarget, "target");
    if (AnsiString reason = FSourceProperty.Diagnose(GetSourceInfo()); !reason.empty())
        return reason;
    return FTargetProperty.Diagnose(GetTargetInfo());
}

// A named event that does not resolve leaves its direction idle.
void TzelP2PConnection::AddNotes(std::vector<AnsiString>& Notes) {
    if (!FSourceEvent.empty() && !GetSourceEventInfo())
        Notes.push_back("source to target never copies: " +
                        zelMissingName(FSourceEvent, "source event"));
    if (!FTargetEvent.empty() && !GetTargetEventInfo())
        Notes.push_back("target to source never copies: " +
                        zelMissingName(FTargetEvent, "target event"));
}

bool TzelP2PConnection::Connect() {
    if (!Diagnose().empty()) return false;
    if (IsDesigning()) return true;
    FCopying = false;
    if (GetSourceEventInfo()) {
        FSourceListener->EventName = FSourceEvent;
        FSourceLink.Add(GetSourceInfo());
    }
    if (GetTargetEventInfo()) {
        FTargetListener->EventName = FTargetEvent;
        FTargetLink.Add(GetTargetInfo());
    }
    RunGuard guard(this);
    SetTargetValue();
    return !guard.Dead();
}

void TzelP2PConnection::Unconnect() {
    FSourceLink.RemoveAll();
    FTargetLink.RemoveAll();
    if (!GetSourceInfo()) {
        SetSourceProperty("");
        SetSourceEvent("");
    }
    if (!GetTargetInfo()) {
        SetTargetProperty("");
        SetTargetEvent("");
    }
}

void TzelP2PConnection::Copy(bool ToTarget) {
    if (FCopying) return;
    FCopying = true;
    RunGuard guard(this);
    struct ResetCopying {
        TzelP2PConnection* C;
        RunGuard& G;
        ~ResetCopying() {
            if (!G.Dead()) C->FCopying = false;
        }
    } reset{this, guard};
    try {
        // A side that does not resolve has nothing to copy: the connection is not connected.
        // The reading may free the other side, which is therefore resolved only afterwards.
        TzelPropertyRef& from = ToTarget ? FSourceProperty : FTargetProperty;
        TzelPropertyRef& to = ToTarget ? FTargetProperty : FSourceProperty;
        Variant value;
        if (!from.TryRead(ToTarget ? GetSourceInfo() : GetTargetInfo(), value)) return;
        if (guard.Dead()) return;
        bool written = to.TryWrite(ToTarget ? GetTargetInfo() : GetSourceInfo(), value);
        if (written && zelTracing() && !guard.Dead()) {
            TComponent* a = ToTarget ? GetSource() : GetTarget();
            TComponent* b = ToTarget ? GetTarget() : GetSource();
            zelTrace(Format("%s: %s.%s -> %s.%s := %s",
                            {GetName(), a ? a->GetName() : AnsiString("?"), from.Name(),
                             b ? b->GetName() : AnsiString("?"), to.Name(), zelTraceValue(value)}));
        }
    } catch (const Exception& E) {
        if (guard.Dead()) throw;
        throw Exception(
            Format("Exception \"%s\" occured in connection %s", {E.Message(), GetName()}));
    }
}

void TzelP2PConnection::SetTargetValue() {
    Copy(true);
}
void TzelP2PConnection::SetSourceValue() {
    Copy(false);
}

void TzelP2PConnection::SourcePropertyChange(TObject* Sender, TzelEventInfo*) {
    if (IsDesigning()) return;
    TzelClassInfo* info = GetSourceInfo();
    if (!info || Sender != info->GetOwner()) return;
    SetTargetValue();
}

void TzelP2PConnection::TargetPropertyChange(TObject* Sender, TzelEventInfo*) {
    if (IsDesigning()) return;
    TzelClassInfo* info = GetTargetInfo();
    if (!info || Sender != info->GetOwner()) return;
    SetSourceValue();
}

void TzelP2PConnection::DefineProperties(TFiler* Filer) {
    inherited::DefineProperties(Filer);
    FSourceProperty.DefineProperties(Filer);
    FTargetProperty.DefineProperties(Filer);
}

namespace Zelp2p {
void Initialize() {}
void Finalize() {}
} // namespace Zelp2p

} // namespace zeltrix
