#include "host/menus/MenuHandles.h"

#include "host/menus/MenuItem.h"

#include <bitset>
#include <mutex>
#include <unordered_map>

namespace host {

namespace {
// Items may be made and freed by threads of the program, so the table takes a lock.
struct Table {
    std::mutex Lock;
    std::unordered_map<HMENU, TMenuItem*> Handles;
    HMENU Next = 0x100; // distinct from small numbers and from command ids
    std::bitset<0x10000> Commands;
    Word Lowest = 1; // no free command id below it
};

Table& Menus() {
    static Table* t = new Table; // items may be freed during static destruction
    return *t;
}
} // namespace

HMENU AllocateMenuHandle(TMenuItem* Item) {
    Table& t = Menus();
    std::lock_guard g(t.Lock);
    do ++t.Next;
    while (t.Next == 0 || t.Handles.count(t.Next));
    t.Handles.emplace(t.Next, Item);
    return t.Next;
}

TMenuItem* FindMenuHandle(HMENU Handle) {
    if (!Handle) return nullptr;
    Table& t = Menus();
    std::lock_guard g(t.Lock);
    auto it = t.Handles.find(Handle);
    return it == t.Handles.end() ? nullptr : it->second;
}

void ReleaseMenuHandle(HMENU Handle) {
    Table& t = Menus();
    std::lock_guard g(t.Lock);
    t.Handles.erase(Handle);
}

Word AllocateMenuCommand() {
    Table& t = Menus();
    std::lock_guard g(t.Lock);
    for (unsigned c = t.Lowest; c < t.Commands.size(); ++c)
        if (!t.Commands[c]) {
            t.Commands[c] = true;
            t.Lowest = static_cast<Word>(c == 0xFFFF ? 0xFFFF : c + 1);
            return static_cast<Word>(c);
        }
    throw EMenuError("Too many menu items");
}

void ReleaseMenuCommand(Word Command) {
    if (!Command) return;
    Table& t = Menus();
    std::lock_guard g(t.Lock);
    t.Commands[Command] = false;
    if (Command < t.Lowest) t.Lowest = Command;
}

} // namespace host
