// Access classes: they reach protected members of host classes and add nothing of their own.
#pragma once

#include "host/classes/Action.h"
#include "host/classes/Collection.h"
#include "host/classes/Component.h"
#include "host/classes/Streams.h"
#include "host/classes/StringList.h"
#include "host/classes/Thread.h"

namespace zeltrix {

class TProtectedTCollection : public host::TCollection {
public:
    using host::TCollection::GetPropName;
    using host::TCollection::GetUpdateCount;
    using host::TCollection::SetPropName;
};

class TProtectedTStringList : public host::TStringList {
public:
    using host::TStringList::FDuplicates;
};

class TProtectedTMemoryStream : public host::TMemoryStream {
public:
    using host::TMemoryStream::GetCapacity;
    using host::TMemoryStream::SetCapacity;
};

class TProtectedTThread : public host::TThread {
public:
    using host::TThread::FFreeOnTerminate;
    using host::TThread::FReturnValue;
    using host::TThread::GetTerminated;
};

class TProtectedTComponent : public host::TComponent {
public:
    using host::TComponent::FDesignInfo;
    using host::TComponent::FTag;
    using host::TComponent::FVCLComObject;
};

class TProtectedTBasicAction : public host::TBasicAction {
public:
    using host::TBasicAction::GetOnChange;
    using host::TBasicAction::SetOnChange;
};

} // namespace zeltrix
