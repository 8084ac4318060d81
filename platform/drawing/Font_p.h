// Private: the Qt font and metrics a TFont stands for, built once per revision.
#pragma once

#include "platform/drawing/Font.h"

#include <QFont>
#include <QFontMetrics>

struct TFont::Cache {
    QFont font;
    QFontMetrics metrics;
    explicit Cache(const QFont& f) : font(f), metrics(f) {}
};

struct FontAccess {
    static const TFont::Cache& Get(const TFont& font);
};

inline const QFont& QFontOf(const TFont& font) { return FontAccess::Get(font).font; }
inline const QFontMetrics& MetricsOf(const TFont& font) { return FontAccess::Get(font).metrics; }
