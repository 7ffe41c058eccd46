#pragma once
// The width and height of a picture from the first bytes of its file (PNG,
// JPEG, WebP), without decoding it: what index.json's "size" needs.
#include <optional>
#include <string_view>
#include <utility>

namespace orvanta {

std::optional<std::pair<int, int>> PictureSize(std::string_view bytes);

}  // namespace orvanta
