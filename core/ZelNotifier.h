// The registry's notifier: receives the host's free notifications for the owners of cached
// class infos.
#pragma once

#include "core/Zelcommon.h"

#include "host/classes/Component.h"

namespace zeltrix {

class TzelNotifier : public host::TComponent {
    HOST_CLASS(TzelNotifier, host::TComponent)
public:
    TzelNotifier() : host::TComponent(nullptr) {}

protected:
    void Notification(host::TComponent* AComponent, host::TOperation Operation) override;
};

} // namespace zeltrix
