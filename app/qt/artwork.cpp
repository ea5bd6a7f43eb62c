// SPDX-License-Identifier: MIT
#include "app/qt/artwork.h"

#include <QPainter>
#include <QSvgRenderer>

#include "app/resource_ids.h"

namespace torvix {

namespace {

QString sourceOf(int resourceId) {
  switch (resourceId) {
    case IDI_PROGRAM: return QStringLiteral(":/torvix/icon_128.svg");
    case IDB_LOGO: return QStringLiteral(":/torvix/bitmap_130.svg");
    default: return {};
  }
}

}  // namespace

QPixmap RenderArtwork(int resourceId, QSize size) {
  const QString source = sourceOf(resourceId);
  if (source.isEmpty() || size.isEmpty()) return {};
  QSvgRenderer renderer(source);
  if (!renderer.isValid()) return {};
  QPixmap pixmap(size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  renderer.render(&painter);
  return pixmap;
}

QIcon ProgramIcon() {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64, 128}) {
    icon.addPixmap(RenderArtwork(IDI_PROGRAM, QSize(side, side)));
  }
  return icon;
}

}  // namespace torvix
