// The event a data-bound chart fires when a new node needs a key: MaxValue is the
// largest key the chart knows (null before any), KeyValue arrives null and receives
// the new key, which the chart takes only when it is greater than MaxValue.
#pragma once

#include "platform/core/Object.h"
#include "platform/data/Variant.h"

#include <functional>

using TzqOcNewKeyEvent = std::function<void(TObject* Sender, Variant MaxValue, Variant& KeyValue)>;
