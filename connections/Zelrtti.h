// The published-property type info of the connections' own types, for their property tables.
#pragma once

#include "connections/Zelconlist.h"
#include "host/classes/TypInfo.h"

namespace host {

template <>
struct TypeInfoTrait<zeltrix::TzelValueOptions> {
    static constexpr std::array<std::string_view, 3> Names = {"voConstant", "voComponentProperty",
                                                              "voEventProperty"};
    static constexpr TTypeInfo Info =
        typinfo_detail::Enumeration<zeltrix::TzelValueOptions>("TzelValueOptions", Names);
};

} // namespace host
