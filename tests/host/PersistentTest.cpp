#include "host/classes/Persistent.h"

#include <gtest/gtest.h>

using namespace host;

namespace {
class TPoint3 : public TPersistent {
    HOST_CLASS(TPoint3, TPersistent)
public:
    int X = 0;
    void Assign(TPersistent* Source) override {
        if (auto* p = DynCast<TPoint3>(Source)) {
            X = p->X;
            return;
        }
        TPersistent::Assign(Source);
    }
};
// Knows how to copy itself into a TPoint3, though TPoint3 does not know it.
class TExporter : public TPersistent {
    HOST_CLASS(TExporter, TPersistent)
public:
    TPersistent* Owner = nullptr;

protected:
    void AssignTo(TPersistent* Dest) override {
        if (auto* p = DynCast<TPoint3>(Dest)) {
            p->X = 99;
            return;
        }
        TPersistent::AssignTo(Dest);
    }
    TPersistent* GetOwner() override { return Owner; }
};
HOST_METACLASS(TPoint3, TPersistent);
HOST_METACLASS(TExporter, TPersistent);

std::string ConvertErrorOf(TPersistent& Dest, TPersistent* Source) {
    try {
        Dest.Assign(Source);
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "<no EConvertError>";
}
} // namespace

TEST(Persistent, AssignCopiesOrAsksTheSourceOrRaises) {
    TPoint3 a, b;
    b.X = 5;
    a.Assign(&b);
    EXPECT_EQ(a.X, 5);
    TExporter e;
    a.Assign(&e); // TPoint3 falls back to the source's AssignTo
    EXPECT_EQ(a.X, 99);
    EXPECT_EQ(ConvertErrorOf(e, &a), "Cannot assign a TPoint3 to a TExporter");
    EXPECT_EQ(ConvertErrorOf(a, nullptr), "Cannot assign a nil to a TPoint3");
    TPersistent plain;
    EXPECT_EQ(ConvertErrorOf(plain, &plain), "Cannot assign a TPersistent to a TPersistent");
}

TEST(Persistent, NamePathJoinsOwnersWithDots) {
    TExporter inner, outer;
    EXPECT_EQ(inner.GetNamePath(), "TExporter");
    inner.Owner = &outer;
    EXPECT_EQ(inner.GetNamePath(), "TExporter.TExporter");
}
