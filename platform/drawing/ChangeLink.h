// A link through which an image list tells a control that its images changed. The
// control owns the link and registers it with the list; either side may die first.
#pragma once

#include "platform/core/Object.h"

#include <functional>

class TImageList;

class TChangeLink : public TObject {
public:
    TChangeLink() = default;
    TChangeLink(const TChangeLink&) = delete;
    TChangeLink& operator=(const TChangeLink&) = delete;
    ~TChangeLink() override;

    // The image list the link is registered with; null when none.
    TImageList* Sender() const { return m_sender; }

    // Called by the image list after each change; fires OnChange with the list.
    virtual void Change();

    std::function<void(TObject* Sender)> OnChange;

private:
    TImageList* m_sender = nullptr;
    friend class TImageList;
};
