// Private: the Qt font and metrics a TFont stands for, built once per revision.
#pragma once

#include "platform/drawing/Font.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QString>

struct TFont::Cache {
    QFont font;
    QFontMetrics metrics;
    // Widths of strings measured lately: controls draw the same captions over and
    // over, and measuring means shaping the text.
    QHash<QString, int> widths;
    explicit Cache(const QFont& f) : font(f), metrics(f) {}

    int Width(const QString& s)
    {
        auto it = widths.constFind(s);
        if (it != widths.constEnd())
            return *it;
        if (widths.size() > 8192)
            widths.clear();
        const int w = metrics.horizontalAdvance(s);
        widths.insert(s, w);
        return w;
    }
};

struct FontAccess {
    static TFont::Cache& Get(const TFont& font);
};

inline const QFont& QFontOf(const TFont& font) { return FontAccess::Get(font).font; }
inline const QFontMetrics& MetricsOf(const TFont& font) { return FontAccess::Get(font).metrics; }
inline int TextWidthOf(const TFont& font, const QString& s) { return FontAccess::Get(font).Width(s); }
