// Forms in memory for the host tests: read as the tool reads them, written back as text or
// binary.
#pragma once

#include "host/classes/Component.h"
#include "host/classes/FormLoading.h"
#include "host/classes/Streams.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace formtest {

struct FreeRoot {
    void operator()(host::TComponent* C) const { host::FreeObject(C); }
};
using RootPtr = std::unique_ptr<host::TComponent, FreeRoot>;

/// A form's text from its lines, each ended as the IDE ends them (CR LF).
inline std::string Lines(std::initializer_list<const char*> L) {
    std::string s;
    for (const char* l : L) s += std::string(l) + "\r\n";
    return s;
}

inline RootPtr Load(const std::string& Text, std::vector<host::TFormLoadNote>& Notes) {
    host::TMemoryStream s;
    s.WriteBuffer(Text.data(), static_cast<host::Integer>(Text.size()));
    s.SetPosition(0);
    return RootPtr(host::LoadForm(&s, Notes));
}

inline RootPtr Load(const std::string& Text) {
    std::vector<host::TFormLoadNote> notes;
    return Load(Text, notes);
}

inline std::string Save(host::TComponent* Root, bool Text) {
    host::TMemoryStream s;
    host::SaveForm(Root, &s, Text);
    return std::string(static_cast<const char*>(s.GetMemory()),
                       static_cast<std::size_t>(s.GetSize()));
}

} // namespace formtest
