// The sample drawn in the real window: colours at positions computed through the
// view transform, at two zooms and scroll positions.
#include "editor_fixture.h"

#include "opt.h"
#include "pic_box.h"
#include "scroll_bar.h"
#include "view_transform.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

namespace {

class View : public EditorTest {
protected:
    QColor at(double displayX, double displayY)
    {
        const QPointF logical = w->ToScreen(displayX, displayY);
        const QImage& image = ctl<PicBox>("Pic")->image();
        return image.pixelColor(trv::logicalToPixel(logical.x(), image.width(), ctl<PicBox>("Pic")->scaleWidth()),
                                trv::logicalToPixel(logical.y(), image.height(), ctl<PicBox>("Pic")->scaleHeight()));
    }
    QColor atPointOf(int i) { return at(tables().PntX[size_t(i)], tables().PntY[size_t(i)]); }
    void redraw() { ctl<QLineEdit>("Proc")->setText("1"); }
};

const QColor back(72, 72, 72), water(44, 44, 127), train(88, 152, 88), red(255, 0, 0), soft(160, 160, 160),
    white(255, 255, 255), green(0, 255, 0);

} // namespace

TEST_F(View, WholeLevelAtTheOpeningZoom)
{
    start();
    EXPECT_EQ(ctl<ScrollBar>("Zoom")->value(), 301);
    EXPECT_EQ(ctl<QLabel>("LabelZoom")->text(), "300");
    opt<QCheckBox>("Grid")->setChecked(false);
    redraw();
    EXPECT_EQ(ctl<PicBox>("Pic")->image().pixelColor(2, 2), back);
    EXPECT_EQ(at(0, -100), water);
    // Start block at display x 32 * LeftEnd + 176 .. 208, finish at 64 * RightEnd - 128 .. -96.
    EXPECT_EQ(at(32 * tables().LeftEnd + 192, 3.5), train);
    EXPECT_EQ(at(64 * tables().RightEnd - 112, 3.5), train);
    EXPECT_EQ(atPointOf(1), red); // the first points are the fixed anchors

    // With the grid on, the coarse vertical grid line at display x 0 crosses the water.
    opt<QCheckBox>("Grid")->setChecked(true);
    redraw();
    EXPECT_EQ(at(0, -100), QColor(0, 0, 0));
}

TEST_F(View, CloseUpOfTheDeckInLineMode)
{
    start();
    opt<QCheckBox>("Grid")->setChecked(false);
    opt<QCheckBox>("Raillevel")->setChecked(false); // its dots lie on the deck
    ctl<ScrollBar>("Zoom")->setValue(649);
    ctl<ScrollBar>("YOff")->setValue(80);  // display y 80 at the centre, the deck's height
    ctl<ScrollBar>("XOff")->setValue(160); // display x -320 at the centre, the left anchor
    EXPECT_EQ(ctl<QLabel>("LabelZoom")->text(), "648");
    const int fixed = tables().fixedCount(doc().NPoints);
    EXPECT_EQ(atPointOf(1), red);
    EXPECT_EQ(atPointOf(fixed + 1), soft);

    // Lines appear only in line mode: rails white, plain lines green.
    const int rail = 1, plain = 21; // the first deck rail and the first chord line
    ASSERT_EQ(tables().LinKind[rail], 2);
    ASSERT_EQ(tables().LinKind[plain], 1);
    auto middle = [&](int line) {
        const int a = tables().LinA[size_t(line)], b = tables().LinB[size_t(line)];
        return at((tables().PntX[size_t(a)] + tables().PntX[size_t(b)]) / 2,
                  (tables().PntY[size_t(a)] + tables().PntY[size_t(b)]) / 2);
    };
    EXPECT_NE(middle(plain), green);
    ctl<QRadioButton>("ELine")->setChecked(true);
    redraw();
    EXPECT_EQ(middle(rail), white);
    EXPECT_EQ(middle(plain), green);

    // Scrolled to the right end of the deck.
    ctl<ScrollBar>("XOff")->setValue(-152);
    EXPECT_EQ(middle(20), white); // the last deck rail, near display x 200
}
