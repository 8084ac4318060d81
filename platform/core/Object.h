// The root of the component classes, and the plain notification event.
#pragma once

#include <functional>

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
