// What the tests of the Classes class infos share: reaching a live object's members by name
// through the registry's class info, listeners with a body, and exception messages.
#pragma once

#include "core/Zelcommon.h"
#include "host/system/Exceptions.h"
#include "package/zeltrix_cb4.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

namespace classes_test {

using namespace zeltrix;
using namespace host;

struct Hearing : TzelListener {
    std::function<void(TObject*, TzelEventInfo*)> Body;
    explicit Hearing(const char* Event, std::function<void(TObject*, TzelEventInfo*)> B)
        : Body(std::move(B)) {
        EventName = Event;
        Handler = TNotifyZELEvent::Bind<&Hearing::Heard>(this);
    }
    void Heard(TObject* Sender, TzelEventInfo* Event) { Body(Sender, Event); }
};

/// An object's address as the integer Variant that object references travel as.
inline Variant AddressOf(const TObject* O) {
    return Variant(static_cast<long long>(reinterpret_cast<std::intptr_t>(O)));
}

using testsupport::MessageOf;

class ClassesTest : public ::testing::Test {
protected:
    PackageScope Package;
    static TzelClassInfo* Info(TObject* O) { return TzelClassRegistry::GetClassInfo(O); }
    static Variant Get(TObject* O, const char* Name) {
        return Info(O)->GetProperty(Info(O)->FindProperty(Name));
    }
    static void Set(TObject* O, const char* Name, const Variant& V) {
        Info(O)->SetProperty(Info(O)->FindProperty(Name), V);
    }
    /// Invokes the method with these argument values; the record holds the results.
    template <class... V>
    static TzelMethodInfo* Call(TObject* O, const char* Name, V... Args) {
        TzelMethodInfo* m = Info(O)->FindMethod(Name);
        int i = 0;
        ((m->GetArgs(i++)->Value = Variant(Args)), ...);
        Info(O)->InvokeMethod(m);
        return m;
    }
};

} // namespace classes_test
