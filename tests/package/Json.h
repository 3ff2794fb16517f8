// A small JSON reader for the tests' data files.
#pragma once

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace testjson {

struct Value {
    enum Kind { Null, Bool, Number, String, Array, Object } K = Null;
    bool B = false;
    double N = 0;
    std::string S;
    std::vector<Value> A;
    std::map<std::string, Value> O;

    const Value& operator[](const std::string& Key) const {
        auto it = O.find(Key);
        if (it == O.end()) throw std::runtime_error("no key " + Key);
        return it->second;
    }
    bool Has(const std::string& Key) const { return O.count(Key) != 0; }
};

class Parser {
public:
    explicit Parser(const std::string& Text) : T(Text) {}
    Value Parse() {
        Value v = ParseValue();
        Skip();
        if (P != T.size()) Fail("trailing text");
        return v;
    }

private:
    const std::string& T;
    std::size_t P = 0;

    [[noreturn]] void Fail(const char* What) {
        throw std::runtime_error(std::string("JSON: ") + What + " at " + std::to_string(P));
    }
    void Skip() {
        while (P < T.size() && (T[P] == ' ' || T[P] == '\n' || T[P] == '\r' || T[P] == '\t')) ++P;
    }
    bool Eat(char C) {
        Skip();
        if (P < T.size() && T[P] == C) return ++P, true;
        return false;
    }
    Value ParseValue() {
        Skip();
        if (P >= T.size()) Fail("unexpected end");
        Value v;
        char c = T[P];
        if (c == '{') {
            ++P;
            v.K = Value::Object;
            if (Eat('}')) return v;
            do {
                Skip();
                std::string key = ParseString();
                if (!Eat(':')) Fail("expected ':'");
                v.O[key] = ParseValue();
            } while (Eat(','));
            if (!Eat('}')) Fail("expected '}'");
        } else if (c == '[') {
            ++P;
            v.K = Value::Array;
            if (Eat(']')) return v;
            do v.A.push_back(ParseValue());
            while (Eat(','));
            if (!Eat(']')) Fail("expected ']'");
        } else if (c == '"') {
            v.K = Value::String;
            v.S = ParseString();
        } else if (T.compare(P, 4, "true") == 0) {
            v.K = Value::Bool, v.B = true, P += 4;
        } else if (T.compare(P, 5, "false") == 0) {
            v.K = Value::Bool, P += 5;
        } else if (T.compare(P, 4, "null") == 0) {
            P += 4;
        } else {
            std::size_t used = 0;
            v.K = Value::Number;
            v.N = std::stod(T.substr(P, 32), &used);
            P += used;
        }
        return v;
    }
    std::string ParseString() {
        if (P >= T.size() || T[P] != '"') Fail("expected a string");
        ++P;
        std::string s;
        while (P < T.size() && T[P] != '"') {
            char c = T[P++];
            if (c == '\\') {
                if (P >= T.size()) Fail("bad escape");
                char e = T[P++];
                switch (e) {
                case 'n': s += '\n'; break;
                case 't': s += '\t'; break;
                case 'r': s += '\r'; break;
                case 'u':
                    s += static_cast<char>(std::stoi(T.substr(P, 4), nullptr, 16));
                    P += 4;
                    break;
                default: s += e;
                }
            } else {
                s += c;
            }
        }
        if (P >= T.size()) Fail("unterminated string");
        ++P;
        return s;
    }
};

inline Value Parse(const std::string& Text) {
    return Parser(Text).Parse();
}

} // namespace testjson
