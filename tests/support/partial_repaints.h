#pragma once
// Editing repaints only where something changed; painting just that onto the
// last picture must give what a full repaint gives, crossing lines intact.
// Drives a rubber band over seven stars, cancels, selects and deletes a line,
// and names the first step whose partial repaint differed ("" when none did).
#include <QImage>
#include <QRegion>
#include <functional>
#include <string>

#include "commands/map_editing.h"
#include "platform/main_window.h"

namespace orvanta::testing {

// at(k): the place in pixels of the k-th of seven stars, the first two joined by a line.
inline std::string FirstPartialRepaintUnlikeFull(ProgramState& state, MainWindow& window,
                                                 const std::function<QPointF(int)>& at) {
    MapSurface* map = window.Surface();
    const qreal ratio = map->devicePixelRatioF();
    const auto render = [map, ratio](const QRegion& region, QImage* onto) {
        if (onto->isNull()) {
            *onto = QImage(map->size() * ratio, QImage::Format_RGB32);
            onto->setDevicePixelRatio(ratio);
        }
        map->render(onto, region.boundingRect().topLeft(), region);
    };
    QImage shown;
    render(QRegion(map->rect()), &shown);
    const auto sameAsFull = [&] {
        render(map->PendingRegion(), &shown);
        QImage full;
        render(QRegion(map->rect()), &full);
        return shown == full;
    };
    const auto pixel = [&](const QPointF& p) { return PixelPoint{p.x(), p.y()}; };
    MapMouseDown(state, window, MouseButton::Left, {}, pixel(at(0)));
    if (!sameAsFull()) return "a new rubber band";
    for (int k = 1; k <= 6; ++k) {
        MapMouseMove(state, window, pixel(at(k)));
        if (!sameAsFull()) return "the rubber band moved";
    }
    MapMouseDown(state, window, MouseButton::Right, {}, {0, 0});
    if (!sameAsFull()) return "the rubber band removed";
    MapMouseDown(state, window, MouseButton::Left, {true, false, false}, pixel((at(0) + at(1)) / 2));
    if (!state.document.figure.Selection()) return "the line was not selected";
    SelectionKeyDown(state, window, Key::Delete);
    if (!sameAsFull()) return "a line deleted";
    return {};
}

}  // namespace orvanta::testing
