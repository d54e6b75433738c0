#include "app/toolkit/Drawing.h"

#include "app/toolkit/ImageDesc.h"
#include "app/toolkit/ResourceManager.h"

#include <QImage>

#include <algorithm>

namespace ravo::draw {

void DrawColor(QPainter& painter, const QRect& rect, quint32 argb) {
    if (rect.isEmpty())
        return;
    painter.fillRect(rect, QColor::fromRgba(argb));
}

void DrawRect(QPainter& painter, const QRect& rect, int size, quint32 argb) {
    if (rect.isEmpty() || size <= 0)
        return;
    const QColor color = QColor::fromRgba(argb);
    size = std::min({size, rect.width(), rect.height()});
    painter.fillRect(QRect(rect.left(), rect.top(), rect.width(), size), color);
    painter.fillRect(QRect(rect.left(), rect.bottom() - size + 1, rect.width(), size), color);
    painter.fillRect(QRect(rect.left(), rect.top() + size, size, rect.height() - 2 * size), color);
    painter.fillRect(
        QRect(rect.right() - size + 1, rect.top() + size, size, rect.height() - 2 * size), color);
}

bool DrawImageString(QPainter& painter, const QRect& rect, const QRect& paint,
                     const CDuiString& image, quint32 tint, int alpha, bool tinted) {
    const ImageDesc desc = ParseImageDesc(image);
    if (desc.IsEmpty())
        return false;
    const QPixmap pixmap = CResourceManager::Instance().GetImage(desc.file);
    if (pixmap.isNull())
        return false;
    QRect source = desc.source.isNull() ? pixmap.rect() : desc.source.intersected(pixmap.rect());
    if (source.isEmpty())
        return false;
    QRect target = rect;
    if (!desc.dest.isNull())
        target = desc.dest.translated(rect.topLeft()).intersected(rect);
    const QRect clip = paint.isNull() ? rect : paint.intersected(rect);
    if (target.isEmpty() || clip.isEmpty())
        return true;

    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    if (tinted) {
        QImage shape =
            pixmap.copy(source).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter tintPainter(&shape);
        tintPainter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        QColor color = QColor::fromRgb(tint & 0xFFFFFFu);
        tintPainter.fillRect(shape.rect(), color);
        tintPainter.end();
        painter.setOpacity(painter.opacity() * std::clamp(alpha, 0, 255) / 255.0 * desc.fade /
                           255.0);
        painter.drawImage(target, shape);
    } else {
        painter.setOpacity(painter.opacity() * desc.fade / 255.0);
        painter.drawPixmap(target, pixmap, source);
    }
    painter.restore();
    return true;
}

void DrawText(QPainter& painter, const QRect& rect, const CDuiString& text, quint32 argb,
              const QFont& font, int flags) {
    if (rect.isEmpty() || text.IsEmpty())
        return;
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor::fromRgba(argb));
    painter.drawText(rect, flags, text.GetData());
    painter.restore();
}

}  // namespace ravo::draw
