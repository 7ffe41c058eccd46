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

// at(k): the place in twips of the k-th of seven stars, the first two joined by a line.
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
    MapMouseDown(state, window, kLeftButton, 0, at(0).x(), at(0).y());
    if (!sameAsFull()) return "a new rubber band";
    for (int k = 1; k <= 6; ++k) {
        MapMouseMove(state, window, at(k).x(), at(k).y());
        if (!sameAsFull()) return "the rubber band moved";
    }
    MapMouseDown(state, window, kRightButton, 0, 0, 0);
    if (!sameAsFull()) return "the rubber band removed";
    const QPointF middle = (at(0) + at(1)) / 2;
    MapMouseDown(state, window, kLeftButton, kShiftKey, middle.x(), middle.y());
    if (!state.document.figure.Selection()) return "the line was not selected";
    SelectionKeyDown(state, window, kDeleteKeyCode);
    if (!sameAsFull()) return "a line deleted";
    return {};
}

}  // namespace orvanta::testing
