#pragma once
// The map canvas over a QPainter: the window's retained picture, a picture
// for export, or a printer's page.
#include <QColor>
#include <QImage>
#include <QPainter>

#include "map/map_canvas.h"
#include "platform/picture_store.h"
#include "platform/star_disc_masks.h"

namespace orvanta {

QColor ToQColor(Colour colour);

class QtMapCanvas final : public MapCanvas {
public:
    // With masks and an image, stars are stamped and written into the image
    // at the ratios that allow it; otherwise the painter draws them.
    QtMapCanvas(QPainter& painter, Colour background, QImage* image = nullptr, StarDiscMasks* masks = nullptr);
    // Where the illustrations' images come from; without a store they are left out.
    void SetPictures(const PictureStore* pictures, PictureLayerCache* cache = nullptr) {
        pictures_ = pictures;
        cache_ = cache;
    }

    void Clear() override;
    void DrawStarDisc(PixelPoint centre, double radius, Colour fill, Colour outline) override;
    void DrawStarPoint(PixelPoint centre, Colour colour) override;
    void DrawStarPoints(const std::vector<PixelPoint>& centres, const std::vector<Colour>& colours) override;
    void DrawBoundary(const std::vector<PixelPoint>& points, Colour colour) override;
    void DrawName(PixelPoint topLeft, const std::string& text, Colour colour) override;
    void DrawFigureLine(const PixelLine& line, Colour colour) override;
    void DrawWarpedPicture(const std::string& path, double width, double height, const std::vector<MeshTriangle>& mesh,
                           float intensity) override;
    void DrawIllustrations(const ViewState& view, const std::vector<ShownPicture>& pictures) override;

private:
    void PaintDisc(PixelPoint centre, double radius, Colour fill, Colour outline);
    void StampDisc(PixelPoint centre, double radius, Colour fill, Colour outline);

    QPainter& painter_;
    QColor background_;
    QImage* image_;
    StarDiscMasks* masks_;
    const PictureStore* pictures_ = nullptr;
    PictureLayerCache* cache_ = nullptr;
    // The image's device-pixel ratio when it is a whole number and stars may
    // be written into the image directly; 0 when the painter draws them.
    int imageRatio_ = 0;
};

}  // namespace orvanta
