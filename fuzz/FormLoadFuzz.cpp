// libFuzzer target: the whole load of a form as the zeltrix tool does it: the package loaded,
// the form read with stand-ins for unknown classes and rejected properties kept, Loaded run and
// the connection lists connecting. Any input must load or raise a host exception, free all it
// made, and what loads must save and load again to the same form.
#include "host/classes/Component.h"
#include "host/classes/FormLoading.h"
#include "host/forms/Application.h"
#include "host/classes/Streams.h"
#include "host/system/Exceptions.h"
#include "package/zeltrix_cb4.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace host;

namespace {
std::string Contents(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.GetMemory()),
                       static_cast<std::size_t>(S.GetSize()));
}

/// Loads `Data`; on success the form's binary when saved again. False when it does not load.
bool LoadAndSave(const void* Data, std::size_t Size, std::string& Saved) {
    TMemoryStream input;
    input.WriteBuffer(Data, static_cast<Integer>(Size));
    input.SetPosition(0);
    std::vector<TFormLoadNote> notes;
    TComponent* root = nullptr;
    try {
        root = LoadForm(&input, notes);
    } catch (const Exception&) {
        return false;
    }
    TMemoryStream out;
    try {
        SaveForm(root, &out, false);
    } catch (const Exception&) {
        // A form that loads may hold values its own writer refuses (a reference to a component
        // of another form): not a fault of the load.
        root->Free();
        return false;
    }
    root->Free();
    Saved = Contents(out);
    return true;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size > 65536) return 0;
    // The package, and the screen and application that forms and data modules join (made once,
    // on first use, and living as long as the program: not objects a form left behind).
    static bool loaded = (zeltrix::LoadPackage(), host::Screen(), host::Application(), true);
    (void)loaded;
    std::size_t before = LiveObjects::Count();
    std::string first, second;
    if (LoadAndSave(Data, Size, first)) {
        // Opening and saving a form loses nothing: the saved form saves the same again.
        if (!LoadAndSave(first.data(), first.size(), second)) std::abort();
        if (second != first) std::abort();
    }
    if (LiveObjects::Count() != before) std::abort(); // a component outlived its form
    return 0;
}
