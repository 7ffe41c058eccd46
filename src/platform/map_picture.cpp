#include "platform/map_picture.h"

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "files/careful_writer.h"
#include "map/figure_placement.h"
#include "map/layers.h"
#include "map/print_colours.h"
#include "platform/qt_map_canvas.h"

namespace orvanta {

namespace {

constexpr double kPixelsPerTwip = 1.0 / kTwipsPerPixel;

void PaintLayers(MapCanvas& canvas, const ProgramState& state, const ViewState& view) {
    canvas.Clear();
    if (state.showBounds) DrawBoundaries(canvas, view, state.boundaries);
    DrawStars(canvas, view, state.catalog, state.showStarColours, 0);
    if (state.namesMode != 0) DrawConstellationNames(canvas, view, state.constellations);
}

}  // namespace

void PaintMapPicture(QPainter& painter, const ProgramState& state, QSize size, PictureColours colours) {
    ViewState view = state.view;
    view.centreX = static_cast<float>(size.width() * kTwipsPerPixel / 2.0);
    view.centreY = 0;
    UpdateLatitudeTerms(view);
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), size));
    const bool print = colours == PictureColours::Print;
    {
        QtMapCanvas screen(painter, ToQColor(print ? kPaperColour : Rgb(0, 0, 0)));
        PrintColourCanvas paper(screen);
        PaintLayers(print ? static_cast<MapCanvas&>(paper) : screen, state, view);
    }
    // The figure's lines lie over the map, as in the window.
    QPen pen(ToQColor(print ? kPrintLineColour : kLineColour), 0);
    pen.setCosmetic(true);
    painter.setPen(pen);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const LineRecord& record : state.document.figure.Records()) {
        const PlacedLine line = PlaceLine(view, record);
        if (line.visible)
            painter.drawLine(QLineF(line.x1 * kPixelsPerTwip, line.y1 * kPixelsPerTwip, line.x2 * kPixelsPerTwip,
                                    line.y2 * kPixelsPerTwip));
    }
    painter.restore();
}

std::string WriteMapPicture(const ProgramState& state, ExportChoice choice, const std::string& path, QSize size) {
    // Drawn into memory first: the careful writer then puts the picture in
    // place whole or not at all, as every file Orvanta writes.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (choice) {
        case ExportChoice::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            // Its width and height in millimetres follow from this: at 96 dpi a
            // browser shows the picture at the size of the PNG.
            svg.setResolution(96);
            svg.setTitle("Orvanta");
            QPainter painter(&svg);
            PaintMapPicture(painter, state, size, PictureColours::Screen);
            break;
        }
        case ExportChoice::Png:
        case ExportChoice::PngDouble: {
            // Twice the pixels, drawn at that resolution rather than scaled up.
            const int scale = choice == ExportChoice::PngDouble ? 2 : 1;
            QImage image(size * scale, QImage::Format_RGB32);
            image.setDevicePixelRatio(scale);
            {
                QPainter painter(&image);
                PaintMapPicture(painter, state, size, PictureColours::Screen);
            }
            if (!image.save(&buffer, "PNG")) return "the picture could not be encoded";
            break;
        }
        case ExportChoice::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(96);
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / 96.0, QPageSize::Point, QString(), QPageSize::ExactMatch));
            pdf.setTitle("Orvanta");
            QPainter painter(&pdf);
            PaintMapPicture(painter, state, size, PictureColours::Screen);
            break;
        }
        default: return "not a picture format";
    }
    buffer.close();
    const WriteResult written = WriteFileCarefully(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())),
                                                   SparingTheDocument(state.document));
    return written.written ? std::string() : written.error;
}

}  // namespace orvanta
