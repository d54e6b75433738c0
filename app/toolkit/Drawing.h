#pragma once

#include "app/toolkit/DuiString.h"

#include <QFont>
#include <QPainter>
#include <QRect>

namespace ravo::draw {

// Drawing helpers for the program's own controls. Colours are 0xAARRGGBB.

// Fills `rect` (alpha blended).
void DrawColor(QPainter& painter, const QRect& rect, quint32 argb);
// A rectangle outline `size` pixels wide, inside `rect`.
void DrawRect(QPainter& painter, const QRect& rect, int size, quint32 argb);
// Draws an image description (ImageDesc.h) into `rect`, clipped to `paint`. When `tinted` is
// set the image's shape is painted in `tint` with opacity `alpha` (0-255) instead of its own
// colours (a light colour over a key). False when the image cannot be loaded.
bool DrawImageString(QPainter& painter, const QRect& rect, const QRect& paint,
                     const CDuiString& image, quint32 tint = 0, int alpha = 255,
                     bool tinted = false);
// Text in `rect` with Qt alignment flags (Qt::AlignCenter, Qt::TextWordWrap, ...).
void DrawText(QPainter& painter, const QRect& rect, const CDuiString& text, quint32 argb,
              const QFont& font, int flags = Qt::AlignLeft | Qt::AlignVCenter);

}  // namespace ravo::draw
