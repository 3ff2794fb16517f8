// The one way into the live-object registry's bookkeeping of a TObject: its constructors and
// destructor enter and leave through here. Included by Object.cpp and LiveObjects.cpp only.
#pragma once

namespace host {

class TObject;

struct LiveObjectsAccess {
    static void Enter(TObject* o);
    static void Leave(TObject* o);
    static void SetWatched(TObject* o);
};

} // namespace host
