// The designed numbers of the main window that its layout pass reads, shared by
// the window and by the export picture drawn without a window, so that both
// frame a level to the same pixels.
#pragma once
#include "twips.h"
#include "view_transform.h"
#include "words.h"

#include <algorithm>
#include <cmath>

namespace design {
// Designed places in twips.
constexpr double kPicTop = 960;        // the drawing area (and the vertical bar) begins here
constexpr double kYOffWidth = 255;     // the vertical position bar
constexpr double kByScrollWidth = 835; // the right "Scroll Up" button
constexpr double kCenterHeight = 255;  // the "C" button
constexpr double kFileTop = 7800;      // the current file's box
// The layout formulas are written for the outer window, which is wider and
// higher than its client area by its frame, title and menu bar.
constexpr double kFrameExtraWidthTw = 120;
constexpr double kFrameExtraHeightTw = 690;

// The export preview: the window asks for 50000 twips of width (the window
// system limits it to the widest window it allows), the picture is at most this
// tall and wide.
constexpr int kPreviewWindowWidth = int(50000 / trv::kTwipsPerPixel);
constexpr int kMaxPreviewHeight = 4096;
constexpr int kMaxPreviewWidth = 16384;

// The preview picture's height in pixels for the typed height, within what a
// window system and memory can hold.
inline int previewHeight(double typed) { return std::clamp(trv::roundHalfEven32(typed), 1, kMaxPreviewHeight); }
// Its width for a fitted width in twips: rounded up, so that the right boundary
// stays in the picture, and limited likewise.
inline int previewWidth(double twips)
{
    return int(std::clamp(std::ceil(twips / trv::kTwipsPerPixel), 1.0, double(kMaxPreviewWidth)));
}
} // namespace design

// The layout pass's input for a client area of the given size in pixels. The
// sizes are those of the controls as placed, whole pixels.
inline trv::LayoutInput mainLayoutInput(int clientWidth, int clientHeight, bool autoScroll)
{
    trv::LayoutInput in;
    in.windowWidth = pixelsToTwips(clientWidth) + design::kFrameExtraWidthTw;
    in.windowHeight = pixelsToTwips(clientHeight) + design::kFrameExtraHeightTw;
    in.picTop = pixelsToTwips(tw(design::kPicTop));
    in.yOffTop = pixelsToTwips(tw(design::kPicTop));
    in.yOffWidth = pixelsToTwips(tw(design::kYOffWidth));
    in.byScrollWidth = pixelsToTwips(tw(design::kByScrollWidth));
    in.centerHeight = pixelsToTwips(tw(design::kCenterHeight));
    in.autoScroll = autoScroll;
    return in;
}

// The drawing area's width (twips) in the export preview's window: the preview
// frames its picture for this width whatever the screen grants, so the window
// and the command line draw the same picture.
inline double previewPicWidth(bool autoScroll)
{
    return trv::layoutGeometry(mainLayoutInput(design::kPreviewWindowWidth, 0, autoScroll)).picWidth;
}
