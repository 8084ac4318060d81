// Private bridge between TRegion and the Qt region it wraps.
#pragma once

#include "platform/drawing/Region.h"

#include <QRect>
#include <QRegion>

struct TRegion::Private {
    QRegion region;
};

struct RegionAccess {
    static const QRegion& Get(const TRegion& r) { return r.d->region; }
    static TRegion Make(const QRegion& q)
    {
        TRegion r;
        r.d->region = q;
        return r;
    }
};

inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
inline TRect FromQRect(const QRect& r) { return TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); }
