// SPDX-License-Identifier: MIT
// The program's pictures: icon IDI_PROGRAM and bitmap IDB_LOGO (app/resource_ids.h), kept as SVG
// sources in the Qt resources and drawn with the SVG renderer, so no image-format plugin is needed
// at run time.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace torvix {

inline constexpr QSize kLogoBitmapSize{166, 49};
inline constexpr int kIconPixels = 32;

// The resource drawn at this size; a null pixmap for an unknown resource.
QPixmap RenderArtwork(int resourceId, QSize size);

// The program icon at the sizes a desktop asks for.
QIcon ProgramIcon();

}  // namespace torvix
