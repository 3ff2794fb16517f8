#include "host/classes/ComponentStreaming.h"
#include "host/classes/Filer.h"
#include "host/classes/Reader.h"
#include "host/classes/RuntimeClass.h"
#include "host/classes/Writer.h"
#include "host/forms/Application.h"
#include "host/forms/Form.h"
#include "host/system/SysUtils.h"

namespace host {

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) {
    Screen()->AddDataModule(this);
}

TDataModule::~TDataModule() {
    Screen()->RemoveDataModule(this);
}

bool TDataModule::Stored(const char* Name, Integer Value) const {
    if (Value != 0) return true;
    for (const AnsiString& n : FStreamed)
        if (SameText(n, Name)) return true;
    return false;
}

void TDataModule::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer); // not the component's design place: its own
    Filer->DefineProperty("Left", TReaderProc::Bind<&TDataModule::ReadLeft>(this),
                          TWriterProc::Bind<&TDataModule::WriteLeft>(this),
                          Stored("Left", FDesignOffset.X));
    Filer->DefineProperty("Top", TReaderProc::Bind<&TDataModule::ReadTop>(this),
                          TWriterProc::Bind<&TDataModule::WriteTop>(this),
                          Stored("Top", FDesignOffset.Y));
    Filer->DefineProperty("Height", TReaderProc::Bind<&TDataModule::ReadHeight>(this),
                          TWriterProc::Bind<&TDataModule::WriteHeight>(this),
                          Stored("Height", FDesignSize.Y));
    Filer->DefineProperty("Width", TReaderProc::Bind<&TDataModule::ReadWidth>(this),
                          TWriterProc::Bind<&TDataModule::WriteWidth>(this),
                          Stored("Width", FDesignSize.X));
}

void TDataModule::ReadLeft(TReader* R) {
    FDesignOffset.X = R->ReadInteger();
}
void TDataModule::WriteLeft(TWriter* W) {
    W->WriteInteger(FDesignOffset.X);
}
void TDataModule::ReadTop(TReader* R) {
    FDesignOffset.Y = R->ReadInteger();
}
void TDataModule::WriteTop(TWriter* W) {
    W->WriteInteger(FDesignOffset.Y);
}
void TDataModule::ReadWidth(TReader* R) {
    FDesignSize.X = R->ReadInteger();
}
void TDataModule::WriteWidth(TWriter* W) {
    W->WriteInteger(FDesignSize.X);
}
void TDataModule::ReadHeight(TReader* R) {
    FDesignSize.Y = R->ReadInteger();
}
void TDataModule::WriteHeight(TWriter* W) {
    W->WriteInteger(FDesignSize.Y);
}

void TDataModule::GetChildren(TGetChildProc Proc, TComponent* Root) {
    TComponent::GetChildren(Proc, Root);
    if (Root != this) return;
    for (Integer i = 0; i < GetComponentCount(); ++i)
        if (TComponent* c = GetComponents(i); !c->HasParent()) Proc(c);
}

void TDataModule::AfterConstruction() {
    TComponent::AfterConstruction();
    // A data module class of the program's reads its layout, as a form class does.
    TClass c = ClassType();
    if (c != TDataModule::StaticClass() && !RuntimeFactory(c) &&
        !GetComponentState().Contains(csDesigning))
        InitInheritedComponent(this, TDataModule::StaticClass());
    if (FOnCreate && !GetComponentState().Contains(csDesigning)) FOnCreate(this);
}

void TDataModule::BeforeDestruction() {
    if (FOnDestroy && !GetComponentState().Contains(csDesigning)) FOnDestroy(this);
    TComponent::BeforeDestruction();
}

} // namespace host
