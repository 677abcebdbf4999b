#include "picture_export.h"

#include "derived.h"
#include "document.h"
#include "main_layout.h"
#include "renderer.h"
#include "window_font.h"
#include "words.h"

#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <vector>

void setDisplayOptions(trv::RenderInputs& in, const OptionValues& o)
{
    in.ColorTable = o.ColorTable;
    in.grid = o.Grid;
    in.boundaries = o.Boundaries;
    in.raillevel = o.Raillevel;
    in.train = o.Train;
    in.landStyle = o.LandStyle;
    in.backStyle = o.BackStyle;
    in.preview = o.Apply;
    in.fileNameT = o.FNameT;
}

QImage exportPicture(const trv::Document& doc, const trv::DerivedTables& tables, const std::string& filePath,
                     const OptionValues& options)
{
    // The window's layout pass for the preview window, as LayoutView and the
    // preview sizing do it with the controls.
    const int baseWidth = std::max(1, tw(previewPicWidth(options.AutoScroll)));
    const int height = design::previewHeight(options.BmpHeight);
    trv::ViewState view =
        trv::UpdateViewScale(pixelsToTwips(baseWidth), pixelsToTwips(height), options.XYdiff, trv::kOpeningZoom, 0, 0);
    const trv::PreviewFit fit = trv::previewFit(view, tables.LeftEnd, tables.RightEnd, options.BmpLeft,
                                                options.BmpRight, pixelsToTwips(baseWidth));
    view.OffsetX = fit.OffsetX;
    const int width = fit.resize ? design::previewWidth(fit.picWidth) : baseWidth;

    OptionValues preview = options;
    preview.Apply = true;
    trv::RenderInputs in(doc, tables);
    setDisplayOptions(in, preview);
    in.view = view;
    in.filePath = filePath;
    in.foreground = trv::colorFromPacked(options.ColorTable[trv::ColorRail]);
    // Only the file name needs the font; a picture without it starts no font machinery.
    if (preview.FNameT)
        in.font = windowFont();
    // Resizing the area keeps the size of a logical unit.
    in.logicalWidth = trv::kLogicalSize * width / baseWidth;
    in.logicalHeight = trv::kLogicalSize;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(trv::colorFromPacked(options.ColorTable[trv::ColorBack]));
    trv::RenderView(image, in);
    return image;
}

bool isDocumentName(const QString& path) { return isDocumentName(path.right(4).toStdString()); }

bool isDocumentName(const std::string& path)
{
    return trv::endsWithNoCase(path, ".brg") || trv::endsWithNoCase(path, ".lvl");
}

QString exportPictureName(const QString& path) { return path.left(path.size() - 3) + "bmp"; }

std::string exportPictureName(const std::string& path) { return path.substr(0, path.size() - 3) + "bmp"; }
