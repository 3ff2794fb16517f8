// Binary form -> text form, in the host's canonical layout.
#include "host/classes/ObjectText.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/system/SysUtils.h"

#include <charconv>
#include <cmath>

namespace host {

AnsiString FormFloatText(Extended Value) {
    if (std::isnan(Value)) return "NAN";
    if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
    char buf[128];
    auto readsBack = [&](const char* end) {
        Extended back = 0;
        auto r = std::from_chars(buf, end, back);
        return r.ec == std::errc() && back == Value && std::signbit(back) == std::signbit(Value);
    };
    if (std::fabs(Value) < 1e15L) {
        for (int decimals = 18; decimals <= 24; ++decimals) {
            auto r =
                std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::fixed, decimals);
            if (r.ec == std::errc() && readsBack(r.ptr)) return AnsiString(buf, r.ptr);
        }
    }
    // Very large, very small or very precise: the shortest text that reads back exactly.
    auto r = std::to_chars(buf, buf + sizeof buf, Value, std::chars_format::scientific);
    AnsiString s(buf, r.ptr);
    for (char& c : s)
        if (c == 'e') c = 'E';
    return s;
}

namespace {

/// The text of a single or double: its shortest decimal (0.1s rather than 0.10000000149s)
/// when that, read as an extended and narrowed, gives the value back; else its exact value.
template <class F>
AnsiString NarrowFloatText(F Value) {
    if (std::isfinite(Value)) {
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, Value);
        Extended e = 0;
        auto back = std::from_chars(buf, r.ptr, e);
        if (back.ec == std::errc() && static_cast<F>(e) == Value) return FormFloatText(e);
    }
    return FormFloatText(Value);
}

constexpr const char* Eol = "\r\n";

bool IsIdent(std::string_view s) {
    if (s.empty()) return false;
    auto start = [](unsigned char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    if (!start(static_cast<unsigned char>(s[0]))) return false;
    for (char c : s)
        if (!start(static_cast<unsigned char>(c)) && !(c >= '0' && c <= '9')) return false;
    return true;
}

/// "Font.Name", "Form2.Button1": identifiers joined by dots.
bool IsIdentPath(std::string_view s) {
    for (;;) {
        std::size_t dot = s.find('.');
        if (!IsIdent(s.substr(0, dot))) return false;
        if (dot == std::string_view::npos) return true;
        s.remove_prefix(dot + 1);
    }
}

bool IsDigits(std::string_view s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string_view::npos;
}

/// Text the parser could not read back as the same name makes the form unconvertible.
const AnsiString& CheckName(const AnsiString& Name, bool Valid) {
    if (!Valid) throw EReadError("Invalid stream format");
    return Name;
}
constexpr std::size_t LineLength = 64; // characters of a string per text line
constexpr int BytesPerLine = 32;       // bytes of binary data per text line

/// Text output, buffered.
class TextOut {
public:
    explicit TextOut(TStream* S) : fStream(S) {}
    void Put(std::string_view s) {
        fBuf.append(s);
        if (fBuf.size() >= 4096) Flush();
    }
    void Put(char c) { fBuf += c; }
    void Indent(int Level) { fBuf.append(static_cast<std::size_t>(Level) * 2, ' '); }
    void NewLine(int Level) {
        Put(Eol);
        Indent(Level);
    }
    void Flush() {
        if (!fBuf.empty()) fStream->WriteBuffer(fBuf.data(), static_cast<Integer>(fBuf.size()));
        fBuf.clear();
    }

private:
    TStream* fStream;
    std::string fBuf;
};

class BinaryToText {
public:
    BinaryToText(TReader& R, TextOut& O) : fR(R), fOut(O) {}

    void Object(int Level) {
        Deeper guard(this);
        TFilerFlags flags;
        Integer pos = 0;
        fR.ReadPrefix(flags, pos);
        AnsiString cls = fR.ReadStr();
        CheckName(cls, IsIdent(cls));
        AnsiString name = fR.ReadStr();
        CheckName(name, name.empty() || IsIdent(name));
        fOut.Indent(Level);
        fOut.Put(flags.Contains(ffInherited) ? "inherited "
                 : flags.Contains(ffInline)  ? "inline "
                                             : "object ");
        if (!name.empty()) {
            fOut.Put(name);
            fOut.Put(": ");
        }
        fOut.Put(cls);
        if (flags.Contains(ffChildPos)) {
            fOut.Put(" [");
            fOut.Put(IntToStr(pos));
            fOut.Put("]");
        }
        fOut.Put(Eol);
        while (!fR.EndOfList()) Property(Level + 1, false);
        fR.ReadListEnd();
        while (!fR.EndOfList()) Object(Level + 1);
        fR.ReadListEnd();
        fOut.Indent(Level);
        fOut.Put("end");
        fOut.Put(Eol);
    }

private:
    struct Deeper {
        explicit Deeper(BinaryToText* c) : C(c) {
            if (++C->fDepth > MaxFilerNesting) throw EReadError("Invalid stream format");
        }
        ~Deeper() { --C->fDepth; }
        BinaryToText* C;
    };

    /// Words that end a property list in the text cannot be property names.
    static bool IsListEnd(const AnsiString& Name, bool InItem) {
        return SameText(Name, "end") ||
               (!InItem && (SameText(Name, "object") || SameText(Name, "inherited") ||
                            SameText(Name, "inline")));
    }

    void Property(int Level, bool InItem) {
        AnsiString name = fR.ReadStr();
        CheckName(name, IsIdentPath(name) && !IsListEnd(name, InItem));
        fOut.Indent(Level);
        fOut.Put(name);
        fOut.Put(" = ");
        Value(Level);
        fOut.Put(Eol);
    }

    /// Writes a string as quoted runs of printable ASCII and #nnn codes, split into lines
    /// of LineLength characters joined by '+'.
    template <class Str>
    void Text(const Str& s, int Level) {
        if (s.empty()) {
            fOut.Put("''");
            return;
        }
        if (s.size() > LineLength) fOut.NewLine(Level + 1);
        std::size_t i = 0;
        while (i < s.size()) {
            std::size_t end = std::min(s.size(), i + LineLength);
            bool quoted = false;
            for (; i < end; ++i) {
                auto c = static_cast<std::uint32_t>(
                    static_cast<std::make_unsigned_t<typename Str::value_type>>(s[i]));
                if (c >= ' ' && c <= '~' && c != '\'') {
                    if (!quoted) fOut.Put('\'');
                    quoted = true;
                    fOut.Put(static_cast<char>(c));
                } else {
                    if (quoted) fOut.Put('\'');
                    quoted = false;
                    fOut.Put('#');
                    fOut.Put(std::to_string(c));
                }
            }
            if (quoted) fOut.Put('\'');
            if (i < s.size()) {
                fOut.Put(" +");
                fOut.NewLine(Level + 1);
            }
        }
    }

    void Value(int Level, bool InList = false) {
        Deeper guard(this);
        switch (fR.NextValue()) {
        case vaList:
            fR.ReadValue();
            fOut.Put('(');
            while (!fR.EndOfList()) {
                fOut.NewLine(Level + 1);
                Value(Level + 1, true);
            }
            fR.ReadListEnd();
            fOut.Put(')');
            break;
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64: fOut.Put(IntToStr(fR.ReadInt64())); break;
        case vaExtended:
        case vaDouble: fOut.Put(FormFloatText(fR.ReadFloat())); break;
        case vaSingle: {
            float f = fR.ReadSingle();
            fOut.Put(NarrowFloatText(f));
            if (std::isfinite(f)) fOut.Put('s');
            break;
        }
        case vaCurrency:
            fOut.Put(IntToStr(fR.ReadCurrency().Scaled)); // the host writes currency * 10000
            fOut.Put('c');
            break;
        case vaDate: {
            double d = fR.ReadDate();
            fOut.Put(NarrowFloatText(d));
            if (std::isfinite(d)) fOut.Put('d');
            break;
        }
        case vaString:
        case vaLString: Text(fR.ReadString(), Level); break;
        case vaWString:
        case vaUTF8String: Text(fR.ReadWideString(), Level); break;
        case vaIdent:
        case vaFalse:
        case vaTrue:
        case vaNil:
        case vaNull: {
            AnsiString ident = fR.ReadIdent();
            // The text's Null is the binary end-of-list tag, so no list holds it.
            fOut.Put(CheckName(ident, IsIdentPath(ident) && !(InList && SameText(ident, "Null"))));
            break;
        }
        case vaBinary: Binary(Level); break;
        case vaSet: {
            fR.ReadValue();
            fOut.Put('[');
            bool first = true;
            for (AnsiString s = fR.ReadStr(); !s.empty(); s = fR.ReadStr()) {
                if (!first) fOut.Put(", ");
                first = false;
                fOut.Put(CheckName(s, IsIdent(s) || IsDigits(s)));
            }
            fOut.Put(']');
            break;
        }
        case vaCollection:
            fR.ReadValue();
            fOut.Put('<');
            while (!fR.EndOfList()) {
                fOut.NewLine(Level + 1);
                fOut.Put("item");
                TValueType v = fR.NextValue();
                if (v == vaInt8 || v == vaInt16 || v == vaInt32 || v == vaInt64) {
                    fOut.Put(" [");
                    fOut.Put(IntToStr(fR.ReadInt64()));
                    fOut.Put(']');
                }
                fOut.Put(Eol);
                fR.ReadListBegin();
                while (!fR.EndOfList()) Property(Level + 2, true);
                fR.ReadListEnd();
                fOut.Indent(Level + 1);
                fOut.Put("end");
            }
            fR.ReadListEnd();
            fOut.Put('>');
            break;
        default: throw EReadError("Invalid stream format");
        }
    }

    void Binary(int Level) {
        static const char Hex[] = "0123456789ABCDEF";
        fR.ReadValue();
        Integer len = fR.ReadLength(4, 1);
        fOut.Put('{');
        Byte row[BytesPerLine];
        while (len > 0) {
            Integer n = std::min<Integer>(len, BytesPerLine);
            fR.Read(row, n);
            fOut.NewLine(Level + 1);
            for (Integer i = 0; i < n; ++i) {
                fOut.Put(Hex[row[i] >> 4]);
                fOut.Put(Hex[row[i] & 15]);
            }
            len -= n;
        }
        fOut.Put('}');
    }

    TReader& fR;
    TextOut& fOut;
    int fDepth = 0;
};

} // namespace

void ObjectBinaryToText(TStream* Input, TStream* Output) {
    if (HasResourceHeader(Input)) SkipResourceHeader(Input);
    TextOut out(Output);
    {
        TReader reader(Input, 4096);
        reader.ReadSignature();
        BinaryToText(reader, out).Object(0);
    }
    out.Flush();
}

void ObjectResourceToText(TStream* Input, TStream* Output) {
    SkipResourceHeader(Input);
    ObjectBinaryToText(Input, Output);
}

} // namespace host
