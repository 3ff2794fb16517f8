#include "host/forms/FormRoots.h"

#include "host/classes/RuntimeClass.h"
#include "host/classes/StandIn.h"
#include "host/forms/Form.h"
#include "host/system/SysUtils.h"

#include <cstring>

namespace host {

namespace {
/// An instance of `Base` whose class is one made at run time over it.
template <class Base>
class TRuntimeRoot : public Base {
public:
    TRuntimeRoot(TComponent* AOwner, TClass AClass) : Base(AOwner), FClass(AClass) {}
    TClass ClassType() const override { return FClass; }

private:
    TClass FClass;
};

template <class Base>
TComponent* NewRoot(TClass Class, TComponent* Owner) {
    auto* r = new TRuntimeRoot<Base>(Owner, Class);
    r->AfterConstruction();
    return r;
}

bool Any(const std::vector<AnsiString>& Names, std::initializer_list<const char*> Of) {
    for (const AnsiString& n : Names)
        for (const char* o : Of)
            if (SameText(n, o) || (n.size() > std::strlen(o) && n[std::strlen(o)] == '.' &&
                                   SameText(n.substr(0, std::strlen(o)), o)))
                return true; // the property or one of its parts (Font.Name)
    return false;
}
} // namespace

TClass ImpliedRootClass(const std::vector<AnsiString>& Properties) {
    if (Any(Properties, {"ClientHeight", "ClientWidth", "Caption", "PixelsPerInch", "TextHeight",
                         "BorderStyle", "BorderIcons", "Position", "FormStyle", "WindowState",
                         "Menu", "KeyPreview", "Font", "Color", "AutoScroll", "Scaled"}))
        return TForm::StaticClass();
    bool sized = Any(Properties, {"Height", "Width"});
    for (const AnsiString& n : Properties)
        if (!Any({n}, {"Left", "Top", "Height", "Width", "OldCreateOrder", "OnCreate",
                       "OnDestroy", "Tag", "HorizontalOffset", "VerticalOffset"}))
            return TComponent::StaticClass();
    return sized ? TDataModule::StaticClass() : TComponent::StaticClass();
}

TComponent* MakeFormRoot(const AnsiString& ClassName, const std::vector<AnsiString>& Properties) {
    TClass base = ImpliedRootClass(Properties);
    if (base == TForm::StaticClass()) {
        auto* form = static_cast<TForm*>(
            NewRoot<TForm>(MakeRuntimeClass(ClassName, base, &NewRoot<TForm>), nullptr));
        form->SetStreamedProperties(Properties);
        return form;
    }
    if (base == TDataModule::StaticClass()) {
        auto* module = static_cast<TDataModule*>(NewRoot<TDataModule>(
            MakeRuntimeClass(ClassName, base, &NewRoot<TDataModule>), nullptr));
        module->SetStreamedProperties(Properties);
        return module;
    }
    return new TStandIn(nullptr, StandInClass(ClassName));
}

} // namespace host
