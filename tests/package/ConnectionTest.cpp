#include "tests/package/ConnectionTest.h"

#include "package/zeltrix_cb4.h"

namespace zeltrix::test {

using namespace host;

void ConnectionTest::SetUp() {
    LoadPackage();
    RegisterTestWidget();
    Form = new TComponent(nullptr);
}

void ConnectionTest::TearDown() {
    FreeAndNil(Form);
}

TTestWidget* ConnectionTest::NewWidget(const AnsiString& Name) {
    auto* w = new TTestWidget(Form);
    w->SetName(Name);
    return w;
}

TzelClassInfo* ConnectionTest::InfoOf(TObject* Object) {
    return TzelClassRegistry::GetClassInfo(Object);
}

} // namespace zeltrix::test
