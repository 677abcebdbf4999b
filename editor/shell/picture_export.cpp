#include "picture_export.h"

#include "compact_style.h"
#include "derived.h"
#include "document.h"
#include "main_layout.h"
#include "renderer.h"
#include "words.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>
#include <vector>

#include <sys/stat.h>

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
    const trv::LayoutGeometry g =
        trv::layoutGeometry(mainLayoutInput(design::kPreviewWindowWidth, 0, options.AutoScroll));
    const int baseWidth = std::max(1, tw(g.picWidth));
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

QStringList exportFileList(const QString& folder, bool subfolders)
{
    QStringList files;
    if (!subfolders) {
        for (const QFileInfo& fi : QDir(folder).entryInfoList(QDir::Files, QDir::Name))
            files << fi.filePath();
        return files;
    }
    std::set<std::pair<dev_t, ino_t>> visited;
    auto firstVisit = [&](const QString& path) {
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0)
            return false;
        return visited.insert({st.st_dev, st.st_ino}).second;
    };
    std::vector<QString> stack;
    if (firstVisit(folder))
        stack.push_back(folder);
    while (!stack.empty()) {
        const QString current = stack.back();
        stack.pop_back();
        std::vector<QString> below;
        const auto entries = QDir(current).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& fi : entries) {
            if (fi.fileName().startsWith('.'))
                continue;
            if (fi.isDir()) {
                if (!fi.isSymLink() && firstVisit(fi.filePath()))
                    below.push_back(fi.filePath());
            } else {
                files << fi.filePath();
            }
        }
        // Pushed in reverse so that they come off the stack in name order.
        for (auto it = below.rbegin(); it != below.rend(); ++it)
            stack.push_back(*it);
    }
    return files;
}

bool isDocumentName(const QString& path)
{
    const QString tail = path.right(4).toLower();
    return tail == ".brg" || tail == ".lvl";
}

QString exportPictureName(const QString& path) { return path.left(path.size() - 3) + "bmp"; }
