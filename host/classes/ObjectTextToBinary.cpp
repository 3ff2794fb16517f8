// Text form -> binary form, as the host's own converter writes it.
#include "host/classes/ObjectText.h"
#include "host/classes/Parser.h"
#include "host/classes/Streams.h"
#include "host/classes/Writer.h"

#include <cmath>
#include <limits>

namespace host {

namespace {

class TextToBinary {
public:
    TextToBinary(TParser& P, TWriter& W) : fP(P), fW(W) {}

    void Object() {
        Deeper guard(this);
        TFilerFlags flags;
        if (fP.TokenSymbolIs("INHERITED"))
            flags += ffInherited;
        else if (fP.TokenSymbolIs("INLINE"))
            flags += ffInline;
        else
            fP.CheckTokenSymbol("OBJECT");
        fP.NextToken();
        fP.CheckToken(toSymbol);
        AnsiString name;
        AnsiString cls = fP.TokenString();
        Integer clsLine = fP.GetSourceLine();
        if (fP.NextToken() == ':') {
            fP.NextToken();
            fP.CheckToken(toSymbol);
            name = cls;
            cls = fP.TokenString();
            clsLine = fP.GetSourceLine();
            fP.NextToken();
        }
        // A class name's length byte of $F0 or more would read as a prefix byte.
        if (cls.size() >= 0xF0)
            RaiseFmt<EParserError>("%s on line %d", {"Identifier too long", clsLine});
        Integer pos = 0;
        if (fP.GetToken() == '[') {
            fP.NextToken();
            fP.CheckToken(toInteger);
            Int64 p = fP.TokenInt();
            if (p < std::numeric_limits<Integer>::min() || p > std::numeric_limits<Integer>::max())
                fP.Error("Invalid numeric value");
            pos = static_cast<Integer>(p);
            flags += ffChildPos;
            fP.NextToken();
            fP.CheckToken(']');
            fP.NextToken();
        }
        fW.WritePrefix(flags, pos);
        WriteName(cls);
        WriteName(name);
        while (!IsObjectEnd()) Property();
        fW.WriteListEnd();
        while (!fP.TokenSymbolIs("END")) Object();
        fW.WriteListEnd();
        fP.NextToken();
    }

private:
    struct Deeper {
        explicit Deeper(TextToBinary* c) : C(c) {
            if (++C->fDepth > MaxFilerNesting) C->fP.Error("Nesting too deep");
        }
        ~Deeper() { --C->fDepth; }
        TextToBinary* C;
    };

    bool IsObjectEnd() const {
        return fP.TokenSymbolIs("END") || fP.TokenSymbolIs("OBJECT") ||
               fP.TokenSymbolIs("INHERITED") || fP.TokenSymbolIs("INLINE");
    }

    /// Names are short strings in the binary form: longer ones cannot be written.
    void WriteName(const AnsiString& Name) {
        if (Name.size() > 255) fP.Error("Identifier too long");
        fW.WriteStr(Name);
    }

    void Property() {
        WriteName(fP.TokenComponentIdent());
        fP.NextToken();
        fP.CheckToken('=');
        fP.NextToken();
        Value();
    }

    void String() {
        bool wide = fP.GetToken() == toWString;
        WideString w;
        AnsiString s;
        auto take = [&] {
            if (fP.GetToken() == toWString && !wide) {
                w = StringToWide(s);
                wide = true;
            }
            if (wide)
                w += fP.TokenWideString();
            else
                s += fP.TokenString();
        };
        take();
        while (fP.NextToken() == '+') {
            fP.NextToken();
            if (fP.GetToken() != toWString) fP.CheckToken(toString);
            take();
        }
        if (wide)
            fW.WriteWideString(w);
        else
            fW.WriteString(s);
    }

    void Float() {
        Extended v = fP.TokenFloat();
        switch (fP.GetFloatType()) {
        // A number too large for a single or a date overflows, as in the host (the text
        // writes infinities as INF, which has no suffix).
        case 's':
            if (!std::isfinite(static_cast<float>(v))) fP.Error("Invalid numeric value");
            fW.WriteSingle(static_cast<float>(v));
            break;
        case 'd':
            if (!std::isfinite(static_cast<double>(v))) fP.Error("Invalid numeric value");
            fW.WriteDate(static_cast<TDateTime>(v));
            break;
        case 'c':
            // The text holds the currency times 10000.
            if (!(v >= -std::ldexp(Extended(1), 63) && v < std::ldexp(Extended(1), 63)))
                fP.Error("Invalid numeric value");
            fW.WriteCurrency(Currency::FromScaled(static_cast<Int64>(std::llround(v))));
            break;
        default: fW.WriteFloat(v);
        }
        fP.NextToken();
    }

    void Value() {
        Deeper guard(this);
        switch (fP.GetToken()) {
        case toSymbol: {
            AnsiString ident = fP.TokenComponentIdent();
            if (SameText(ident, "NAN") || SameText(ident, "INF")) {
                fW.WriteFloat(SameText(ident, "NAN") ? std::numeric_limits<Extended>::quiet_NaN()
                                                     : std::numeric_limits<Extended>::infinity());
            } else {
                if (ident.size() > 255) fP.Error("Identifier too long");
                fW.WriteIdent(ident);
            }
            fP.NextToken();
            break;
        }
        case toString:
        case toWString: String(); break;
        case toInteger:
            fW.WriteInteger(fP.TokenInt());
            fP.NextToken();
            break;
        case toFloat: Float(); break;
        case '[':
            fP.NextToken();
            fW.WriteValue(vaSet);
            if (fP.GetToken() != ']') {
                for (;;) {
                    // Sets of numbers name their elements by number.
                    AnsiString element = fP.TokenString();
                    if (fP.GetToken() != toInteger ||
                        element.find_first_not_of("0123456789") != AnsiString::npos)
                        fP.CheckToken(toSymbol);
                    if (element.size() > 255) fP.Error("Identifier too long");
                    fW.WriteStr(element);
                    if (fP.NextToken() == ']') break;
                    fP.CheckToken(',');
                    fP.NextToken();
                }
            }
            fW.WriteStr("");
            fP.NextToken();
            break;
        case '(':
            fP.NextToken();
            fW.WriteListBegin();
            while (fP.GetToken() != ')') {
                // Null is the end-of-list tag in the binary form: it cannot be an element.
                if (fP.TokenSymbolIs("Null")) fP.Error("Invalid property value");
                Value();
            }
            fW.WriteListEnd();
            fP.NextToken();
            break;
        case '{': {
            TMemoryStream data;
            fP.HexToBinary(&data);
            fW.WriteBinaryData(data.GetMemory(), static_cast<Integer>(data.GetSize()));
            fP.NextToken();
            break;
        }
        case '<':
            fP.NextToken();
            fW.WriteValue(vaCollection);
            while (fP.GetToken() != '>') {
                fP.CheckTokenSymbol("item");
                fP.NextToken();
                if (fP.GetToken() == '[') {
                    fP.NextToken();
                    fP.CheckToken(toInteger);
                    fW.WriteInteger(fP.TokenInt());
                    fP.NextToken();
                    fP.CheckToken(']');
                    fP.NextToken();
                }
                fW.WriteListBegin();
                while (!fP.TokenSymbolIs("END")) Property();
                fW.WriteListEnd();
                fP.NextToken();
            }
            fW.WriteListEnd();
            fP.NextToken();
            break;
        default: fP.Error("Invalid property value");
        }
    }

    TParser& fP;
    TWriter& fW;
    int fDepth = 0;
};

} // namespace

void ObjectTextToBinary(TStream* Input, TStream* Output) {
    TParser parser(Input);
    TWriter writer(Output, 4096);
    writer.WriteSignature();
    TextToBinary(parser, writer).Object();
    writer.FlushBuffer();
}

} // namespace host
