// libFuzzer target: the four descriptor readers over arbitrary texts. The input is split at
// NUL bytes into up to four texts (properties, methods, constructors, events). Any text must
// either read or raise a host exception; whatever was read must be consistent: every record
// found again by its name, an override never creating a record.
#include "core/Zelcommon.h"
#include "host/system/Exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace zeltrix;

namespace {
/// A class info whose descriptors are the fuzzer's texts.
class TTextInfo : public TzelClassInfo {
public:
    AnsiString Texts[4];
    void DefineZELProperties(host::TList*) override { ReadZELProperties(Texts[0]); }
    void DefineZELMethods(host::TList*) override { ReadZELMethods(Texts[1]); }
    void DefineZELConstructors(host::TList*) override { ReadZELConstructors(Texts[2]); }
    void DefineZELEvents(host::TList*) override { ReadZELEvents(Texts[3]); }
};

void Check(bool Ok) {
    if (!Ok) std::abort();
}

void CheckConsistent(TTextInfo& CI) {
    for (int i = 0; i < CI.GetPropertyCount(); ++i) {
        TzelPropertyInfo* p = CI.GetProperties(i);
        Check(p && CI.FindProperty(p->Name));
        for (int k = 0; k < p->GetIndexCount(); ++k) Check(p->GetIndexes(k) != nullptr);
    }
    for (int i = 0; i < CI.GetMethodCount(); ++i) {
        TzelMethodInfo* m = CI.GetMethods(i);
        Check(m && CI.FindMethod(m->Name));
        for (int k = 0; k < m->GetArgCount(); ++k) Check(m->GetArgs(k) != nullptr);
    }
    for (int i = 0; i < CI.GetConstructorCount(); ++i)
        Check(CI.FindConstructor(CI.GetConstructors(i)->Name) != nullptr);
    for (int i = 0; i < CI.GetEventCount(); ++i) Check(CI.FindEvent(CI.GetEvents(i)->Name) != nullptr);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size > 65536) return 0;
    std::size_t before = host::LiveObjects::Count();
    {
        TTextInfo ci;
        std::string input(reinterpret_cast<const char*>(Data), Size);
        std::size_t start = 0;
        for (int i = 0; i < 4 && start <= input.size(); ++i) {
            std::size_t end = input.find('\0', start);
            if (end == std::string::npos) end = input.size();
            ci.Texts[i] = input.substr(start, end - start);
            start = end + 1;
        }
        try {
            ci.InitMetaData();
        } catch (const host::Exception&) {
        }
        // What was read before an error stays usable.
        CheckConsistent(ci);
        // Reading again gives the same lists, or the same error.
        int counts[4] = {ci.GetPropertyCount(), ci.GetMethodCount(), ci.GetConstructorCount(),
                         ci.GetEventCount()};
        try {
            ci.InitMetaData();
        } catch (const host::Exception&) {
        }
        Check(counts[0] == ci.GetPropertyCount() && counts[1] == ci.GetMethodCount() &&
              counts[2] == ci.GetConstructorCount() && counts[3] == ci.GetEventCount());
    }
    Check(host::LiveObjects::Count() == before); // no record outlives its class info
    return 0;
}
