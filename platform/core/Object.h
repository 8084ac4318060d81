// The root of the component classes, and the plain notification event.
#pragma once

#include <functional>
#include <string>

class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// The class name of an object as the program wrote it (for messages such as
// "Cannot assign a X to a Y").
std::string ClassNameOf(const TObject& object);
