#include "host/classes/StringList.h"

#include <gtest/gtest.h>

#include <vector>

using namespace host;

namespace {
std::vector<std::string> Lines(TStrings& s) {
    std::vector<std::string> r;
    for (Integer i = 0; i < s.GetCount(); ++i) r.push_back(s.GetStrings(i));
    return r;
}
using L = std::vector<std::string>;

template <class F>
std::string StringListErrorOf(F&& f) {
    try {
        f();
    } catch (const EStringListError& e) {
        return e.Message();
    }
    return "<no EStringListError>";
}

// Records the list's events with the count the list had at that moment.
struct Recorder {
    std::vector<std::string> Log;
    void Changing(TObject* Sender) {
        Log.push_back("changing " + std::to_string(static_cast<TStringList*>(Sender)->GetCount()));
    }
    void Change(TObject* Sender) {
        Log.push_back("change " + std::to_string(static_cast<TStringList*>(Sender)->GetCount()));
    }
    void Attach(TStringList& l) {
        l.SetOnChanging(TNotifyEvent::Bind<&Recorder::Changing>(this));
        l.SetOnChange(TNotifyEvent::Bind<&Recorder::Change>(this));
    }
};
} // namespace

TEST(StringList, SortedListsInsertInPlaceAndHandleDuplicates) {
    TStringList l;
    l.SetSorted(true);
    for (const char* s : {"pear", "Apple", "fig", "banana"}) l.Add(s);
    EXPECT_EQ(Lines(l), (L{"Apple", "banana", "fig", "pear"})); // case is ignored
    EXPECT_EQ(l.Add("FIG"), 2);                                 // dupIgnore: the existing index
    EXPECT_EQ(l.GetCount(), 4);
    l.SetDuplicates(dupError);
    EXPECT_EQ(StringListErrorOf([&] { l.Add("fig"); }), "String list does not allow duplicates");
    l.SetDuplicates(dupAccept);
    l.Add("Fig");
    l.Add("fig");
    Integer index = -1;
    EXPECT_TRUE(l.Find("FIG", index));
    EXPECT_EQ(index, 2); // the first of the equal items
    EXPECT_FALSE(l.Find("cherry", index));
    EXPECT_EQ(index, 2); // where it would go
    EXPECT_EQ(l.IndexOf("PEAR"), 5);
    EXPECT_EQ(l.IndexOf("kiwi"), -1);

    const char* sorted = "Operation not allowed on sorted string list";
    EXPECT_EQ(StringListErrorOf([&] { l.Insert(0, "x"); }), sorted);
    EXPECT_EQ(StringListErrorOf([&] { l.SetStrings(0, "x"); }), sorted);
    EXPECT_EQ(StringListErrorOf([&] { l.Move(0, 3); }), sorted);
    EXPECT_EQ(l.GetCount(), 6); // nothing lost by the refused Move

    TStringList u;
    u.SetCommaText("c,a,B");
    u.SetSorted(true); // turning sorting on sorts
    EXPECT_EQ(Lines(u), (L{"a", "B", "c"}));
    u.SetSorted(false);
    u.Add("0");
    EXPECT_EQ(u.GetStrings(3), "0"); // unsorted again: appended
}

TEST(StringList, SortAndCustomSort) {
    TStringList l;
    l.SetCommaText("delta,Alpha,charlie,bravo");
    l.Sort();
    EXPECT_EQ(Lines(l), (L{"Alpha", "bravo", "charlie", "delta"}));
    l.CustomSort([](TStringList* List, Integer a, Integer b) -> Integer {
        return static_cast<Integer>(List->GetStrings(a).size()) -
               static_cast<Integer>(List->GetStrings(b).size());
    });
    EXPECT_EQ(l.GetStrings(0).size(), 5u);
    EXPECT_EQ(l.GetStrings(3), "charlie");
    // A comparison that empties the list stops the sort with an index error, not a crash.
    static TStringList* victim;
    victim = &l;
    EXPECT_THROW(l.CustomSort([](TStringList*, Integer a, Integer b) -> Integer {
        victim->Clear();
        return a < b ? 1 : -1;
    }),
                 EStringListError);
    EXPECT_EQ(l.GetCount(), 0);
}

TEST(StringList, NamesAndValues) {
    TStringList l;
    l.SetTextStr("Host=example\r\nport=80\r\nplain line\r\nempty=\r\n");
    EXPECT_EQ(l.GetNames(0), "Host");
    EXPECT_EQ(l.GetNames(2), "");
    EXPECT_EQ(l.GetValues("HOST"), "example");
    EXPECT_EQ(l.GetValues("empty"), "");
    EXPECT_EQ(l.GetValues("missing"), "");
    EXPECT_EQ(l.IndexOfName("PORT"), 1);
    EXPECT_EQ(l.IndexOfName("plain line"), -1);
    l.SetValues("port", "8080");
    EXPECT_EQ(l.GetStrings(1), "port=8080");
    l.SetValues("user", "me=you"); // values may hold '='
    EXPECT_EQ(l.GetStrings(4), "user=me=you");
    EXPECT_EQ(l.GetValues("user"), "me=you");
    l.SetValues("host", ""); // an empty value deletes the pair
    EXPECT_EQ(l.IndexOfName("host"), -1);
    EXPECT_EQ(l.GetCount(), 4);

    TStringList sorted;
    sorted.SetSorted(true);
    sorted.SetValues("b", "2");
    sorted.SetValues("a", "1");
    EXPECT_EQ(Lines(sorted), (L{"a=1", "b=2"})); // no stray empty item
}

TEST(StringList, CommaTextQuotesAndParsesLikeTheHost) {
    TStringList l;
    for (const char* s : {"plain", "two words", "a,b", "say \"hi\"", "", "tab\there", "end"})
        l.Add(s);
    EXPECT_EQ(l.GetCommaText(),
              "plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",,\"tab\there\",end");
    TStringList back;
    back.SetCommaText(l.GetCommaText());
    EXPECT_TRUE(back.Equals(&l));

    back.SetCommaText("  one two ,  three,\"quoted, with comma\" , \"x\"\"y\"");
    EXPECT_EQ(Lines(back), (L{"one", "two", "three", "quoted, with comma", "x\"y"}));
    back.SetCommaText("a,,b");
    EXPECT_EQ(Lines(back), (L{"a", "", "b"}));
    back.SetCommaText("\"open ended");
    EXPECT_EQ(Lines(back), (L{"open ended"}));
    back.SetCommaText("\"ab\"cd");
    EXPECT_EQ(Lines(back), (L{"ab", "cd"}));
    back.SetCommaText("");
    EXPECT_EQ(back.GetCount(), 0);
    EXPECT_EQ(back.GetCommaText(), "");

    // Empty items at the end survive the round trip.
    TStringList empties;
    empties.Add("");
    EXPECT_EQ(empties.GetCommaText(), "\"\"");
    empties.Add("x");
    empties.Add("");
    EXPECT_EQ(empties.GetCommaText(), ",x,\"\"");
    back.SetCommaText(empties.GetCommaText());
    EXPECT_EQ(Lines(back), (L{"", "x", ""}));
}

TEST(StringList, TextJoinsWithCrLfAndSplitsEveryLineBreak) {
    TStringList l;
    l.SetTextStr("a\r\nb\nc\rd\n\re\r\n\r\n");
    EXPECT_EQ(Lines(l), (L{"a", "b", "c", "d", "", "e", ""}));
    EXPECT_EQ(l.GetTextStr(), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\n");
    l.SetText("x\ny");
    EXPECT_EQ(Lines(l), (L{"x", "y"}));
    char* buffer = l.GetText();
    EXPECT_STREQ(buffer, "x\r\ny\r\n");
    l.SetTextStr(std::string("nul\0inside", 10)); // NUL is text, not an end
    EXPECT_EQ(l.GetStrings(0).size(), 10u);
    l.SetTextStr("");
    EXPECT_EQ(l.GetCount(), 0);
    EXPECT_EQ(l.GetTextStr(), "");
}

TEST(StringList, IndexErrorsUseTheHostMessages) {
    TStringList l;
    l.Add("only");
    EXPECT_EQ(StringListErrorOf([&] { l.GetStrings(1); }), "List index out of bounds (1)");
    EXPECT_EQ(StringListErrorOf([&] { l.GetObjects(-1); }), "List index out of bounds (-1)");
    EXPECT_EQ(StringListErrorOf([&] { l.SetObjects(2, nullptr); }), "List index out of bounds (2)");
    EXPECT_EQ(StringListErrorOf([&] { l.Delete(1); }), "List index out of bounds (1)");
    EXPECT_EQ(StringListErrorOf([&] { l.Insert(2, "x"); }), "List index out of bounds (2)");
    EXPECT_EQ(StringListErrorOf([&] { l.Exchange(0, 5); }), "List index out of bounds (5)");
    EXPECT_EQ(StringListErrorOf([&] { l.Move(0, 1); }), "List index out of bounds (1)");
    EXPECT_EQ(StringListErrorOf([&] { l.SetCapacity(0); }), "List capacity out of bounds (0)");
    EXPECT_EQ(StringListErrorOf([&] { l.GetNames(3); }), "List index out of bounds (3)");
    EXPECT_EQ(Lines(l), (L{"only"}));
}

TEST(StringList, ObjectsTravelWithTheirStrings) {
    TObject a, b, c;
    TStringList l;
    l.AddObject("a", &a);
    l.AddObject("b", &b);
    l.InsertObject(0, "c", &c);
    EXPECT_EQ(l.IndexOfObject(&b), 2);
    l.Exchange(0, 2);
    EXPECT_EQ(l.GetObjects(0), &b);
    EXPECT_EQ(l.GetStrings(0), "b");
    l.Move(0, 2);
    EXPECT_EQ(Lines(l), (L{"a", "c", "b"}));
    EXPECT_EQ(l.GetObjects(2), &b);
    l.SetCapacity(10);
    EXPECT_EQ(l.GetCapacity(), 10);

    TStringList copy;
    copy.Add("old");
    copy.Assign(&l);
    EXPECT_EQ(Lines(copy), Lines(l));
    EXPECT_EQ(copy.GetObjects(1), &c);
    copy.Assign(&copy); // assigning itself keeps its items
    EXPECT_EQ(copy.GetCount(), 3);
    copy.AddStrings(&copy);
    EXPECT_EQ(Lines(copy), (L{"a", "c", "b", "a", "c", "b"}));
    EXPECT_FALSE(copy.Equals(&l));
    copy.SetStrings(0, "A");
    l.Assign(&copy);
    EXPECT_TRUE(l.Equals(&copy));
    copy.SetStrings(0, "a");
    EXPECT_FALSE(l.Equals(&copy)); // Equals is case-sensitive
    try {
        TPersistent p;
        l.Assign(&p);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign a TPersistent to a TStringList");
    }
}

TEST(StringList, ChangeEventsSurroundEachChangeAndNestWithUpdates) {
    TStringList l;
    Recorder r;
    r.Attach(l);
    l.Add("a");
    l.SetStrings(0, "b");
    EXPECT_EQ(r.Log, (L{"changing 0", "change 1", "changing 1", "change 1"}));

    r.Log.clear();
    l.BeginUpdate();
    l.BeginUpdate();
    l.Add("c");
    l.Delete(0);
    l.EndUpdate();
    EXPECT_EQ(r.Log, (L{"changing 1"}));
    l.EndUpdate();
    EXPECT_EQ(r.Log, (L{"changing 1", "change 1"}));

    r.Log.clear();
    l.EndUpdate(); // unmatched: ignored, later changes still notify
    l.Add("d");
    EXPECT_EQ(r.Log, (L{"changing 1", "change 2"}));

    r.Log.clear();
    l.SetCommaText("x,y,z"); // one pair for the whole replacement
    EXPECT_EQ(r.Log, (L{"changing 2", "change 3"}));

    l.SetSorted(true);
    r.Log.clear();
    l.Add("X"); // ignored duplicate: no change, no events
    TStringList empty;
    r.Attach(empty);
    empty.Clear();
    EXPECT_TRUE(r.Log.empty());
}

namespace {
struct Meddler {
    TStringList* List = nullptr;
    int Additions = 0;
    bool Busy = false;
    void ClearOnChanging(TObject*) {
        if (Busy) return; // Clear itself fires OnChanging
        Busy = true;
        List->Clear();
        Busy = false;
    }
    void AddOnceOnChange(TObject*) {
        if (Additions++ == 0) List->Add("added by handler");
    }
};
} // namespace

TEST(StringList, HandlersThatChangeTheListAreSafe) {
    TStringList l;
    Meddler m{&l};
    l.SetCommaText("a,b,c");
    l.SetOnChange(TNotifyEvent::Bind<&Meddler::AddOnceOnChange>(&m));
    l.Add("d");
    EXPECT_EQ(Lines(l), (L{"a", "b", "c", "d", "added by handler"}));

    l.SetOnChange(nullptr);
    l.SetOnChanging(TNotifyEvent::Bind<&Meddler::ClearOnChanging>(&m));
    // The handler empties the list before the change: the index is checked again.
    EXPECT_EQ(StringListErrorOf([&] { l.Delete(4); }), "List index out of bounds (4)");
    EXPECT_EQ(l.GetCount(), 0);
    l.SetOnChanging(nullptr);
    l.SetCommaText("a,b,c");
    l.SetOnChanging(TNotifyEvent::Bind<&Meddler::ClearOnChanging>(&m));
    EXPECT_THROW(l.Exchange(0, 2), EStringListError);
    EXPECT_THROW(l.SetStrings(1, "x"), EStringListError);

    l.SetOnChanging(nullptr);
    l.SetSorted(true);
    l.SetCommaText("b,d");
    l.SetOnChanging(TNotifyEvent::Bind<&Meddler::ClearOnChanging>(&m));
    l.Add("c"); // the place is looked for again after the handler cleared the list
    EXPECT_EQ(Lines(l), (L{"c"}));
}

namespace {
// A minimal list over a vector, to exercise what TStrings itself provides.
class TVectorStrings : public TStrings {
    HOST_CLASS(TVectorStrings, TStrings)
public:
    std::vector<std::string> Items;
    int UpdateStarts = 0, UpdateEnds = 0;
    Integer GetCount() const override { return static_cast<Integer>(Items.size()); }
    void Clear() override { Items.clear(); }
    void Delete(Integer Index) override {
        if (Index < 0 || Index >= GetCount()) Error("Bad index %d", Index);
        Items.erase(Items.begin() + Index);
    }
    void Insert(Integer Index, const AnsiString& S) override {
        if (Index < 0 || Index > GetCount()) Error("Bad index %d", Index);
        Items.insert(Items.begin() + Index, S);
    }

protected:
    AnsiString Get(Integer Index) override {
        if (Index < 0 || Index >= GetCount()) Error("Bad index %d", Index);
        return Items[Index];
    }
    void SetUpdateState(bool Updating) override { ++(Updating ? UpdateStarts : UpdateEnds); }
};
HOST_METACLASS(TVectorStrings, TStrings);
} // namespace

TEST(Strings, BaseClassBuildsOnTheAbstractMembers) {
    TVectorStrings v;
    v.Add("one");
    v.Append("two");
    v.AddObject("three", &v); // the base keeps no objects
    EXPECT_EQ(v.GetObjects(2), nullptr);
    EXPECT_EQ(v.GetCapacity(), 3);
    v.SetStrings(0, "uno"); // Put: delete and insert
    v.Exchange(0, 2);
    EXPECT_EQ(Lines(v), (L{"three", "two", "uno"}));
    v.Move(2, 0);
    EXPECT_EQ(Lines(v), (L{"uno", "three", "two"}));
    EXPECT_EQ(v.IndexOf("THREE"), 1);
    EXPECT_EQ(StringListErrorOf([&] { v.Move(0, 3); }), "List index out of bounds (3)");
    EXPECT_EQ(v.GetCount(), 3);
    EXPECT_EQ(StringListErrorOf([&] { v.Delete(7); }), "Bad index 7");
    int starts = v.UpdateStarts;
    v.SetCommaText("a b");
    EXPECT_EQ(v.UpdateStarts, starts + 1);
    EXPECT_EQ(v.UpdateEnds, v.UpdateStarts);
    TStringList l;
    l.Assign(&v);
    EXPECT_EQ(Lines(l), (L{"a", "b"}));
}

namespace {
class TAdapter : public TInterfacedObject, public IStringsAdapter {
    HOST_CLASS(TAdapter, TInterfacedObject)
public:
    TStrings* Referenced = nullptr;
    int Releases = 0;
    HRESULT QueryInterface(const TGUID& IID, void** Obj) override {
        return TInterfacedObject::QueryInterface(IID, Obj);
    }
    Integer _AddRef() override { return TInterfacedObject::_AddRef(); }
    Integer _Release() override { return TInterfacedObject::_Release(); }
    void ReferenceStrings(TStrings* S) override { Referenced = S; }
    void ReleaseStrings() override {
        Referenced = nullptr;
        ++Releases;
    }
};
HOST_METACLASS(TAdapter, TInterfacedObject);
} // namespace

TEST(Strings, AdapterIsReferencedAndReleased) {
    auto* adapter = new TAdapter;
    ComPtr<IStringsAdapter> ref(static_cast<IStringsAdapter*>(adapter));
    {
        TStringList l;
        l.SetStringsAdapter(ref);
        EXPECT_EQ(adapter->Referenced, &l);
        EXPECT_EQ(adapter->RefCount(), 2);
    }
    EXPECT_EQ(adapter->Referenced, nullptr); // released when the list goes
    EXPECT_EQ(adapter->Releases, 1);
    EXPECT_EQ(adapter->RefCount(), 1);
}
