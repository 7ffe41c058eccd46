#pragma once
// The illustrations' images, decoded once each and kept while their culture
// is open, within limits that keep a huge or broken file from stalling the window.
#include <QImage>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "map/illustration_mesh.h"

namespace orvanta {

// A decoded picture: grey pictures (most illustrations) one byte a pixel,
// others RGB32; each level after the first half the size of the one before,
// so that a picture drawn small is read from a level about its drawn size,
// which keeps the reads near one another and the result free of shimmer.
struct DecodedPicture {
    std::vector<QImage> levels;
};

class PictureStore {
public:
    // Decodes the image at path, once; the reason when it cannot be shown.
    std::string Prepare(const std::string& path);
    // Decodes each of them not yet tried, several at once.
    void PrepareAll(const std::vector<std::string>& paths);
    // The decoded image; nullptr when it was not prepared or could not be read.
    const DecodedPicture* Find(const std::string& path) const;
    void Clear();

private:
    std::map<std::string, DecodedPicture> images_;
    std::map<std::string, std::string> failures_;
};

// A picture's bytes (PNG, JPEG, WebP) as PNG; nullopt when they cannot be read.
std::optional<std::string> PngOf(std::string_view bytes);

// The layer of the illustrations that are not live, as last drawn, and what it was drawn for.
struct PictureLayerCache {
    std::string key;
    QImage layer;
};

// Adds picture, warped through the mesh, to target: each mesh point p lands
// on the device pixel (p - origin) * scale. The picture's pixels are given in
// a width x height frame. Light adds to a dark target; on a light one
// (paper) it darkens instead. Shared edges are filled once, so that
// neighbouring triangles add no seams.
void AddWarpedPicture(QImage& target, double scale, QPointF origin, const DecodedPicture& picture, double width,
                      double height, const std::vector<MeshTriangle>& mesh, float intensity, bool darken);

}  // namespace orvanta
