#include "platform/drawing/Picture.h"

#include "platform/drawing/Bitmap.h"

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

bool TPicture::HasGraphic() const
{
    return m_bitmap && !m_bitmap->Empty();
}

int TPicture::Width() const
{
    return m_bitmap ? m_bitmap->Width() : 0;
}

int TPicture::Height() const
{
    return m_bitmap ? m_bitmap->Height() : 0;
}

void TPicture::SetBitmap(const TBitmap* bitmap)
{
    if (!bitmap || bitmap->Empty()) {
        if (!m_bitmap)
            return;
        m_bitmap.reset();
    } else {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(*bitmap);
        m_bitmap = std::move(copy);
    }
    Changed();
}

void TPicture::Assign(const TPicture& source)
{
    if (&source != this)
        SetBitmap(source.Graphic());
}

void TPicture::Changed()
{
    if (OnChange)
        OnChange(this);
}
