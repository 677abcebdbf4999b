// The spring test run on the small "Test" button: each pointer move over it is
// one step drawn into the drawing area; a click ends the run.
#include "form1.h"

#include "controls.h"
#include "pic_box.h"
#include "renderer.h"
#include "spring.h"

void Form1::connectTestRun()
{
    connect(Test, &MouseButton::mouseMove, this, [this] { Test_MouseMove(); });
    connect(Test, &QPushButton::clicked, this, [this] { Test_Click(); });
}

void Form1::Test_MouseMove()
{
    trv::SpringPicture picture;
    trv::springStep(doc, tables, PntAcc, TestTick, picture);
    trv::RenderSpringPicture(Pic->image(), picture, view, Pic->backColor, options_.ColorTable[trv::ColorFixpoint],
                             Pic->scaleWidth(), Pic->scaleHeight());
    Pic->refresh();
}

void Form1::Test_Click()
{
    for (auto& acc : PntAcc)
        acc[1] = acc[2] = 0;
    Pic->setFocus();
    // Rewrites the current state and reloads it: the points return to the
    // document's positions and the ordinary view comes back.
    Redraw_Click();
}
