// Base of the canvas tools (pen, brush, font): fires OnChange after every actual
// change and counts revisions so that a canvas can tell when to re-read a tool.
#pragma once

#include "platform/core/Object.h"

#include <cstdint>
#include <functional>

class TGraphicsObject : public TObject {
public:
    std::function<void(TObject* Sender)> OnChange;

    // Grows by one on every change; a canvas compares it with the last one it saw.
    uint64_t Revision() const { return m_revision; }

protected:
    void Changed()
    {
        ++m_revision;
        if (OnChange)
            OnChange(this);
    }

private:
    uint64_t m_revision = 0;
};
