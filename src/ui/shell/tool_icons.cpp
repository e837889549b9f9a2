#include "ui/shell/tool_icons.h"

#include <QPainter>
#include <QPixmap>

namespace morvane {

QIcon GlyphIcon(const QString& glyph, const QColor& tile) {
  constexpr int kSize = 24;
  QPixmap pixmap(kSize, kSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(tile.darker(160));
  painter.setBrush(tile);
  painter.drawRoundedRect(QRectF(1.5, 1.5, kSize - 3, kSize - 3), 4, 4);
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(glyph.size() > 1 ? 9 : 13);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, glyph);
  return QIcon(pixmap);
}

}  // namespace morvane
