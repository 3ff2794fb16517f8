#include "connections/Zelp2p.h"

#include "connections/Zelindexes.h"
#include "core/Zelcommon.h"
#include "host/classes/Filer.h"
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
    : TzelConnection(AOwner), FSourcePropertyIndex(zelNewIndexArray(1)),
      FTargetPropertyIndex(zelNewIndexArray(1)), FSourceListener(new TzelListener()),
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
    return FSourcePropertyInfo.Get(GetSourceInfo(), FSourceProperty);
}
TzelPropertyInfo* TzelP2PConnection::GetTargetPropertyInfo() {
    return FTargetPropertyInfo.Get(GetTargetInfo(), FTargetProperty);
}
TzelEventInfo* TzelP2PConnection::GetSourceEventInfo() {
    return FSourceEventInfo.Get(GetSourceInfo(), FSourceEvent);
}
TzelEventInfo* TzelP2PConnection::GetTargetEventInfo() {
    return FTargetEventInfo.Get(GetTargetInfo(), FTargetEvent);
}

void TzelP2PConnection::SetSourceProperty(const AnsiString& Value) {
    bool validate = !IsLoading();
    zelSetPropertyName(FSourceProperty, FSourcePropertyIndex, Value, validate,
                       validate ? GetSourceInfo() : nullptr, zelSourcePropertyMessages);
}

void TzelP2PConnection::SetTargetProperty(const AnsiString& Value) {
    bool validate = !IsLoading();
    zelSetPropertyName(FTargetProperty, FTargetPropertyIndex, Value, validate,
                       validate ? GetTargetInfo() : nullptr, zelTargetPropertyMessages);
}

void TzelP2PConnection::SetSourcePropertyIndex(const Variant& Value) {
    bool validate = !IsLoading();
    zelSetPropertyIndex(FSourcePropertyIndex, Value, validate, validate ? GetSourceInfo() : nullptr,
                        validate ? GetSourcePropertyInfo() : nullptr, zelSourcePropertyMessages);
}

void TzelP2PConnection::SetTargetPropertyIndex(const Variant& Value) {
    bool validate = !IsLoading();
    zelSetPropertyIndex(FTargetPropertyIndex, Value, validate, validate ? GetTargetInfo() : nullptr,
                        validate ? GetTargetPropertyInfo() : nullptr, zelTargetPropertyMessages);
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

bool TzelP2PConnection::Connect() {
    if (!GetSourceInfo() || !GetTargetInfo() || !GetSourcePropertyInfo() ||
        !GetTargetPropertyInfo())
        return false;
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
        // Each array is applied right before its own access: both sides may use one property
        // record (two cells of one grid).
        TzelClassInfo* from = ToTarget ? GetSourceInfo() : GetTargetInfo();
        TzelPropertyInfo* fromProperty =
            ToTarget ? GetSourcePropertyInfo() : GetTargetPropertyInfo();
        if (!fromProperty) return; // nothing to copy from: the connection is not connected
        const TzelIndexMessages& fromMessages =
            ToTarget ? zelSourcePropertyMessages : zelTargetPropertyMessages;
        zelApplyIndexArray(fromProperty, ToTarget ? FSourcePropertyIndex : FTargetPropertyIndex,
                           fromMessages);
        Variant value = from->GetProperty(fromProperty);
        if (guard.Dead()) return;
        TzelClassInfo* to = ToTarget ? GetTargetInfo() : GetSourceInfo();
        TzelPropertyInfo* toProperty = ToTarget ? GetTargetPropertyInfo() : GetSourcePropertyInfo();
        if (!toProperty) return;
        const TzelIndexMessages& toMessages =
            ToTarget ? zelTargetPropertyMessages : zelSourcePropertyMessages;
        zelApplyIndexArray(toProperty, ToTarget ? FTargetPropertyIndex : FSourcePropertyIndex,
                           toMessages);
        to->SetProperty(toProperty, value);
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
    Filer->DefineProperty("SourcePropertyIndexes",
                          TReaderProc::Bind<&TzelP2PConnection::ReadSourcePropertyIndexes>(this),
                          TWriterProc::Bind<&TzelP2PConnection::WriteSourcePropertyIndexes>(this),
                          VarIsArray(FSourcePropertyIndex));
    Filer->DefineProperty("TargetPropertyIndexes",
                          TReaderProc::Bind<&TzelP2PConnection::ReadTargetPropertyIndexes>(this),
                          TWriterProc::Bind<&TzelP2PConnection::WriteTargetPropertyIndexes>(this),
                          VarIsArray(FTargetPropertyIndex));
}

void TzelP2PConnection::ReadSourcePropertyIndexes(TReader* Reader) {
    FSourcePropertyIndex = zelReadIndexArray(Reader);
}
void TzelP2PConnection::WriteSourcePropertyIndexes(TWriter* Writer) {
    zelWriteIndexArray(Writer, FSourcePropertyIndex);
}
void TzelP2PConnection::ReadTargetPropertyIndexes(TReader* Reader) {
    FTargetPropertyIndex = zelReadIndexArray(Reader);
}
void TzelP2PConnection::WriteTargetPropertyIndexes(TWriter* Writer) {
    zelWriteIndexArray(Writer, FTargetPropertyIndex);
}

namespace Zelp2p {
void Initialize() {}
void Finalize() {}
} // namespace Zelp2p

} // namespace zeltrix
