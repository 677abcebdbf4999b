// Bitmap export.
#include "form1.h"

#include "pic_box.h"

#include <QImage>

void Form1::BmpSave()
{
    // The persistent image only: the overlays are not part of the picture.
    if (!Pic->image().convertToFormat(QImage::Format_RGB888).save(ChosenFile, "BMP"))
        msgBox("Cannot write the bitmap " + ChosenFile, false, true);
}
