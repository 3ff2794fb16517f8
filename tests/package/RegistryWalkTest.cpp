// Every registered class info against its host class: its published members are the host
// class's streamed published members, and every row reads and writes on a live object. Both
// walk the registry, so a new unit is covered as soon as it registers.
#include "Probe.h"
#include "core/ClassInfoFamily.h"
#include "host/actnlist/CustomAction.h"
#include "host/classes/Action.h"
#include "host/classes/Collection.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/comctrls/Calendar.h"
#include "host/classes/StringList.h"
#include "host/classes/TypInfo.h"
#include "host/classes/Writer.h"
#include "host/controls/ControlActionLink.h"
#include "host/controls/Dock.h"
#include "host/controls/Drag.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"
#include "host/graphics/Metafile.h"
#include "host/menus/MenuItem.h"
#include "host/stdctrls/ButtonControls.h"
#include "package/zeltrix_cb4.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace zeltrix;
using namespace host;

/// The class info's records that are published, as "Name" (properties) and "Name" (events).
struct Published {
    std::set<std::string> Properties, Events;
};

Published OfClassInfo(TzelClassInfo* CI) {
    Published p;
    for (int i = 0; i < CI->GetPropertyCount(); ++i)
        if (CI->GetProperties(i)->Visibility == pvPublished)
            p.Properties.insert(CI->GetProperties(i)->Name);
    for (int i = 0; i < CI->GetEventCount(); ++i)
        if (CI->GetEvents(i)->Visibility == pvPublished) p.Events.insert(CI->GetEvents(i)->Name);
    return p;
}

Published OfHostClass(TClass C) {
    Published p;
    for (const TPropInfo* row : GetPropInfos(C))
        (row->PropType->Kind == tkMethod ? p.Events : p.Properties).insert(row->Name);
    return p;
}

/// Published members that intentionally differ between a class info and its host class, by
/// "HostClass.Member", with the reason.
const std::map<std::string, const char*> IntendedDifferences = {
    // The form's class info lists these protected, as the form declares them there; the host
    // class streams them, as its controls' published members are its own.
    {"TCustomForm.Height", "protected in the form's class info, published by TControl"},
    {"TCustomForm.Width", "protected in the form's class info, published by TControl"},
    {"TCustomForm.HorzScrollBar", "protected in the form's class info, published by its parent"},
    {"TCustomForm.VertScrollBar", "protected in the form's class info, published by its parent"},
    {"TCustomDockForm.Height", "as TCustomForm"},
    {"TCustomDockForm.Width", "as TCustomForm"},
    {"TCustomDockForm.HorzScrollBar", "as TCustomForm"},
    {"TCustomDockForm.VertScrollBar", "as TCustomForm"},
    // The extended controls' member lists name fewer (or other) members than the host
    // classes stream; the members stay reachable by name through the ancestors' rows.
    {"TImage.Proportional", "streamed by the host; the image's member list has none"},
    {"TNotebook.DragKind", "in the notebook's member list; the host notebook does not stream it"},
    {"TNotebook.OnEndDock", "as TNotebook.DragKind"},
    {"TNotebook.OnStartDock", "as TNotebook.DragKind"},
    {"THeader.OnClick", "streamed by the host; the header's member list re-publishes no event"},
    {"THeader.OnDblClick", "as THeader.OnClick"},
    {"THeader.OnMouseDown", "as THeader.OnClick"},
    {"THeader.OnMouseMove", "as THeader.OnClick"},
    {"THeader.OnMouseUp", "as THeader.OnClick"},
    {"TSplitter.AutoSnap", "streamed by the host; the splitter's member list has none"},
    {"TControlBar.ParentCtl3D",
     "in the control bar's member list; the host bar does not stream it"},
    {"TControlBar.AutoDock", "streamed by the host; the control bar's member list has none"},
    {"TControlBar.BiDiMode", "as TControlBar.AutoDock"},
    {"TControlBar.DrawingStyle", "as TControlBar.AutoDock"},
    {"TControlBar.ParentBiDiMode", "as TControlBar.AutoDock"},
};

std::set<std::string> Without(const std::set<std::string>& A, const std::set<std::string>& B,
                              const AnsiString& Class) {
    std::set<std::string> out;
    for (const std::string& n : A)
        if (!B.count(n) && !IntendedDifferences.count(Class + "." + n)) out.insert(n);
    return out;
}

TEST(RegistryWalk, PublishedMembersAreTheHostClassesStreamedMembers) {
    PackageScope package;
    for (const AnsiString& name : probe::RegisteredClassInfoNames()) {
        const TzelClassTable* table = zelFindTable(TzelClassRegistry::FindClassInfo(name));
        if (!table) continue; // the variable's class info lists the records of another class
        SCOPED_TRACE(name);
        auto* ci = static_cast<TzelClassInfo*>(table->ClassInfoClass->NewObject());
        ci->InitMetaData();
        const Published info = OfClassInfo(ci), host = OfHostClass(table->HostClass);
        ci->Free();
        EXPECT_EQ(Without(info.Properties, host.Properties, name), std::set<std::string>{})
            << "published by the class info only";
        EXPECT_EQ(Without(host.Properties, info.Properties, name), std::set<std::string>{})
            << "streamed by the host class only";
        EXPECT_EQ(Without(info.Events, host.Events, name), std::set<std::string>{})
            << "published by the class info only";
        EXPECT_EQ(Without(host.Events, info.Events, name), std::set<std::string>{})
            << "streamed by the host class only";
    }
}

// ---- live objects of every registered host class ----

// A graphic's image is reached through its graphic, which made it and frees it.
struct BitmapAccess : TBitmap {
    using TBitmap::GetImage;
};
struct IconAccess : TIcon {
    using TIcon::GetImage;
};

/// Live objects for the walk; freed in reverse order of making.
class Objects {
public:
    ~Objects() {
        for (auto it = FOwned.rbegin(); it != FOwned.rend(); ++it) (*it)->Free();
    }
    template <class T>
    T* Keep(T* O) {
        FOwned.push_back(O);
        return O;
    }

    /// A live object of `C` or, for an abstract class, of a registered descendant. Classes
    /// whose constructors take arguments are made here; any other class by its metaclass.
    TObject* Make(TClass C) {
        const std::string name = C->ClassName;
        if (name == "TStream" || name == "TCustomMemoryStream") return Keep(new TMemoryStream);
        if (name == "TStrings") return Keep(new TStringList);
        if (name == "TStringStream") return Keep(new TStringStream("text"));
        if (name == "TCollection") return Keep(new TCollection(TCollectionItem::StaticClass()));
        if (name == "TOwnedCollection") {
            auto* owner = Keep(new TStringList);
            return Keep(new TOwnedCollection(owner, TCollectionItem::StaticClass()));
        }
        if (name == "TCollectionItem") {
            auto* coll = Keep(new TCollection(TCollectionItem::StaticClass()));
            return coll->Add(); // the collection frees it
        }
        if (name == "TFiler" || name == "TReader") {
            auto* form = Keep(new TStringStream("TPF0"));
            return Keep(new TReader(form, 32));
        }
        if (name == "TBasicActionLink") return Keep(new TBasicActionLink(nullptr));
        if (name == "TActionLink") return Keep(new TActionLink(nullptr));
        if (name == "TMenuActionLink")
            return Keep(new TMenuActionLink(Keep(new TMenuItem(nullptr)))); // freed before it
        if (name == "TWriter") return Keep(new TWriter(Keep(new TMemoryStream), 32));
        if (name == "TSizeConstraints") return Keep(new TSizeConstraints(nullptr));
        if (name == "TBaseDragControlObject")
            return Keep(new TBaseDragControlObject(Keep(new TWinControl(nullptr))));
        if (name == "TDragControlObject")
            return Keep(new TDragControlObject(Keep(new TWinControl(nullptr))));
        if (name == "TDragDockObject")
            return Keep(new TDragDockObject(Keep(new TWinControl(nullptr))));
        if (name == "TControlActionLink")
            return Keep(new TControlActionLink(Keep(new TWinControl(nullptr))));
        if (name == "TWinControlActionLink")
            return Keep(new TWinControlActionLink(Keep(new TWinControl(nullptr))));
        if (name == "TButtonActionLink")
            return Keep(new TButtonActionLink(Keep(new TButton(nullptr))));
        if (name == "TDockTree") return Keep(new TDockTree(Keep(new TWinControl(nullptr))));
        if (name == "TDockZone") // a zone of a tree of its own, freed after it
            return Keep(new TDockZone(Keep(new TDockTree(Keep(new TWinControl(nullptr))))));
        if (name == "TMonthCalColors")
            return Keep(new TMonthCalColors(Keep(new TWinControl(nullptr))));
        if (name == "TControlScrollBar") // the scroll box's own, freed with it
            return Keep(new TScrollBox(nullptr))->GetVertScrollBar();
        if (name == "TBitmapImage") return (Keep(new TBitmap)->*&BitmapAccess::GetImage)();
        if (name == "TIconImage") return (Keep(new TIcon)->*&IconAccess::GetImage)();
        if (name == "TMetafileCanvas") // freed before its metafile, which it then records into
            return Keep(new TMetafileCanvas(Keep(new TMetafile), 0));
        if (C->NewObject) return Keep(C->NewObject());
        if (C->NewWithOwner) return Keep(C->NewWithOwner(nullptr));
        return nullptr;
    }

private:
    std::vector<TObject*> FOwned;
};

/// Host classes the walk does not make, with the reason.
const std::map<std::string, const char*> NotWalked = {
    {"THandleStream", "needs an open operating-system handle; its handle rows are checked by "
                      "the stream tests"},
    {"TFileStream", "opens a file; covered by the stream tests"},
    {"TResourceStream", "needs a registered resource; covered by the stream tests"},
    {"TThread", "abstract: its Execute is the application's"},
    {"TGraphic", "abstract: its rows are walked on TBitmap and TIcon"},
    {"TSharedImage", "abstract: its row is walked on the images of bitmaps, icons and metafiles"},
};

/// Rows the walk reads but does not write back, or does not read, with the reason.
const std::map<std::string, const char*> NotReadBack = {
    {"TComponent.ComObject", "raises for a component without an interface, as the host does"},
    {"TCanvas.ClipRect", "a canvas without a device context raises, as the host's does"},
    {"TCanvas.Handle", "a canvas without a device context raises, as the host's does"},
    {"TCanvas.PenPos", "a canvas without a device context raises, as the host's does"},
};

TEST(RegistryWalk, EveryPlainPropertyReadsAndWritesBackOnALiveObject) {
    PackageScope package;
    int walked = 0;
    for (const AnsiString& name : probe::RegisteredClassInfoNames()) {
        const TzelClassTable* table = zelFindTable(TzelClassRegistry::FindClassInfo(name));
        if (!table || NotWalked.count(name)) continue;
        SCOPED_TRACE(name);
        Objects objects;
        TObject* o = objects.Make(table->HostClass);
        ASSERT_NE(o, nullptr) << "no way to make a live " << name << " for the walk";
        TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(o);
        ASSERT_NE(ci, nullptr);
        ++walked;
        for (int i = 0; i < ci->GetPropertyCount(); ++i) {
            TzelPropertyInfo* p = ci->GetProperties(i);
            if (p->GetIndexCount() || !p->Style.Contains(psReadable)) continue;
            bool skip = false;
            for (TClass c = o->ClassType(); c && !skip; c = c->Parent)
                skip = NotReadBack.count(std::string(c->ClassName) + "." + p->Name) > 0;
            if (skip) continue;
            SCOPED_TRACE(p->Name);
            Variant v = ci->GetProperty(p);
            if (p->Style.Contains(psWritable)) {
                EXPECT_NO_THROW(ci->SetProperty(p, v));
            }
        }
    }
    EXPECT_GE(walked, 20);
}

} // namespace
