// Pictures of the map (SVG, PNG, PDF) and the map on paper.
#include "platform/map_picture.h"

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>

#include "commands/map_redraw.h"
#include "documents/exchange/exchange.h"
#include "files/careful_writer.h"
#include "map/layers.h"
#include "map/map_painting.h"
#include "map/print_colours.h"
#include "platform/qt_map_canvas.h"

namespace orvanta {

void PaintMapPicture(QPainter& painter, const ProgramState& state, QSize size, PictureColours colours,
                     const PictureStore* pictures) {
    ViewState view = state.view;
    FrameView(view, size.width());
    painter.save();
    painter.setClipRect(QRect(QPoint(0, 0), size));
    const bool print = colours == PictureColours::Print;
    QtMapCanvas screen(painter, print ? kPaperColour : kBlack);
    screen.SetPictures(pictures);
    PrintColourCanvas paper(screen);
    MapCanvas& canvas = print ? static_cast<MapCanvas&>(paper) : screen;
    PaintMap(canvas, SceneOf(state, view));
    // The figure's lines lie over the map, as in the window.
    PaintFigureLines(canvas, view, state.document.figure.Records(), kFigureLineColour);
    painter.restore();
}

void PrintMap(QWidget* owner, const ProgramState& state, QSize size, const PictureStore* pictures) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(size.width() > size.height() ? QPageLayout::Landscape : QPageLayout::Portrait);
    QPrintDialog dialog(&printer, owner);
    if (dialog.exec() != QDialog::Accepted) return;
    QPainter painter(&printer);
    // The map as it is shown, fitted to the page with its shape kept.
    const QRect page = painter.viewport();
    painter.setViewport(QRect(page.topLeft(), size.scaled(page.size(), Qt::KeepAspectRatio)));
    painter.setWindow(QRect(QPoint(0, 0), size));
    PaintMapPicture(painter, state, size, PictureColours::Print, pictures);
}

std::string WriteMapPicture(const ProgramState& state, ExportChoice choice, const std::string& path, QSize size,
                            const PictureStore* pictures) {
    if (std::string off = LineOffTheSky(state.document.figure.Records()); !off.empty()) return off;
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
            PaintMapPicture(painter, state, size, PictureColours::Screen, pictures);
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
                PaintMapPicture(painter, state, size, PictureColours::Screen, pictures);
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
            PaintMapPicture(painter, state, size, PictureColours::Screen, pictures);
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
