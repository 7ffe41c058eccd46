#pragma once
// The application's icon: a night sky disc with a small stick figure. One
// description serves the window icon, the PNG sizes and the SVG file.
#include <QIcon>
#include <QImage>
#include <QString>

namespace orvanta {

QImage RenderAppIcon(int side);
QString AppIconSvg();
QIcon AppIcon();

}  // namespace orvanta
