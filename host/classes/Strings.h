// TStrings: the abstract list of strings with associated objects, and the text formats
// (lines, comma text, name=value pairs) that every string list shares.
#pragma once

#include "host/classes/Persistent.h"
#include "host/system/Interfaces.h"

namespace host {

class TStream;
class TStrings;
class TReader;
class TWriter;
struct TResStringRec;
using PResStringRec = const TResStringRec*;

/// Lets an outside party (such as an OLE automation wrapper) hold on to a string list.
struct IStringsAdapter : IUnknown {
    static constexpr TGUID IID = GuidOf("{4C1E7A52-93D8-4B0F-A6E1-2F7C90D3B5E8}");
    virtual void ReferenceStrings(TStrings* S) = 0;
    virtual void ReleaseStrings() = 0;
};

class TStrings : public TPersistent {
    HOST_CLASS(TStrings, TPersistent)
public:
    TStrings() = default;
    ~TStrings() override;

    // ---- properties ----
    virtual Integer GetCapacity();
    virtual void SetCapacity(Integer NewCapacity);
    /// The items joined by commas; items with blanks, control characters, commas or quotes
    /// are quoted with '"' (quotes doubled), as is an empty last item.
    AnsiString GetCommaText();
    /// Replaces the items: blanks and commas separate items unless quoted.
    void SetCommaText(const AnsiString& Value);
    virtual Integer GetCount() const = 0;
    /// The part of item `Index` before its first '=', or "" when it has none.
    AnsiString GetNames(Integer Index);
    TObject* GetObjects(Integer Index) { return GetObject(Index); }
    void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }
    /// The part after '=' of the first item whose name is `Name` (case-insensitive), or "".
    AnsiString GetValues(const AnsiString& Name);
    /// Sets the value for `Name`, adding "Name=Value" when absent; an empty value deletes the
    /// item.
    void SetValues(const AnsiString& Name, const AnsiString& Value);
    AnsiString GetStrings(Integer Index) { return Get(Index); }
    void SetStrings(Integer Index, const AnsiString& S) { Put(Index, S); }
    /// The Text property: the items, each followed by CR LF. (GetText, the method, gives the
    /// same text as a character buffer.)
    virtual AnsiString GetTextStr();
    /// Replaces the items with the lines of `Value`; lines end with CR LF, LF or CR.
    virtual void SetTextStr(const AnsiString& Value);
    const ComPtr<IStringsAdapter>& GetStringsAdapter() const { return FAdapter; }
    /// Releases the old adapter's hold on this list and lets the new one reference it.
    void SetStringsAdapter(const ComPtr<IStringsAdapter>& Value);

    // ---- methods ----
    virtual Integer Add(const AnsiString& S);
    virtual Integer AddObject(const AnsiString& S, TObject* AObject);
    void Append(const AnsiString& S) { Add(S); }
    virtual void AddStrings(TStrings* Strings);
    /// Copies the items and objects of another string list; other sources as TPersistent.
    void Assign(TPersistent* Source) override;
    /// Nests; the outermost pair tells the list (SetUpdateState) that updating starts/ends.
    void BeginUpdate();
    virtual void Clear() = 0;
    virtual void Delete(Integer Index) = 0;
    void EndUpdate();
    /// True when both lists hold the same strings (case-sensitive) in the same order.
    bool Equals(TStrings* Strings);
    virtual void Exchange(Integer Index1, Integer Index2);
    /// The text as a NUL-terminated buffer. The buffer belongs to the list (callers never
    /// free it) and stays valid until the next GetText call or until the list is destroyed.
    virtual char* GetText();
    /// Index of the first item equal to `S`, ignoring case; -1 when none.
    virtual Integer IndexOf(const AnsiString& S);
    Integer IndexOfName(const AnsiString& Name);
    Integer IndexOfObject(TObject* AObject);
    virtual void Insert(Integer Index, const AnsiString& S) = 0;
    virtual void InsertObject(Integer Index, const AnsiString& S, TObject* AObject);
    virtual void LoadFromFile(const AnsiString& FileName);
    /// Replaces the items with the lines of the rest of `Stream`.
    virtual void LoadFromStream(TStream* Stream);
    /// Moves an item and its object. Bad indexes raise before anything changes.
    virtual void Move(Integer CurIndex, Integer NewIndex);
    virtual void SaveToFile(const AnsiString& FileName);
    /// Writes Text to `Stream`.
    virtual void SaveToStream(TStream* Stream);
    virtual void SetText(const char* Text);

protected:
    /// Streams the items as the list property "Strings".
    void DefineProperties(TFiler* Filer) override;
    void ReadData(TReader* Reader);
    void WriteData(TWriter* Writer);
    /// Raises EStringListError with `Msg` formatted with `Data`.
    [[noreturn]] void Error(const AnsiString& Msg, Integer Data) const;
    [[noreturn]] void Error(PResStringRec Msg, Integer Data) const;
    virtual AnsiString Get(Integer Index) = 0;
    virtual TObject* GetObject(Integer Index);
    virtual void Put(Integer Index, const AnsiString& S);
    virtual void PutObject(Integer Index, TObject* AObject);
    /// Called by the outermost BeginUpdate (true) and EndUpdate (false).
    virtual void SetUpdateState(bool Updating);
    Integer GetUpdateCount() const { return FUpdateCount; }

    Integer FUpdateCount = 0;
    ComPtr<IStringsAdapter> FAdapter;
    AnsiString FTextBuffer; // what GetText last returned
};

/// Holds a BeginUpdate/EndUpdate pair for a scope, also when the scope raises. An error
/// raised by the closing EndUpdate (a change handler) propagates, unless the scope is
/// already being left by an error, which then wins.
class TStringsUpdate {
public:
    explicit TStringsUpdate(TStrings* S);
    ~TStringsUpdate() noexcept(false);
    TStringsUpdate(const TStringsUpdate&) = delete;
    TStringsUpdate& operator=(const TStringsUpdate&) = delete;

private:
    TStrings* fStrings;
    int fUncaught;
};

} // namespace host
