// Checks of a window as a person meets it, for any window of the programs.
// Each returns a failure that lists every offending control.
#pragma once
#include <gtest/gtest.h>

class QAbstractButton;
class QWidget;

namespace trvtest {

// Every visible, enabled control of `window` (buttons, boxes, lists, sliders...)
// is what a click at its centre, and at the middle of each of its quarters,
// reaches: the control itself or one of its own parts, not another widget lying
// over it, and not a point outside the window.
::testing::AssertionResult everyControlTakesAClickAtItsCentre(QWidget* window);

// Every visible caption (button, check box, radio button, label) fits across its
// control: the text measured with the control's font, within the room the
// style leaves beside the indicator and inside the margins.
::testing::AssertionResult everyCaptionFits(QWidget* window);

// Every visible control has a name for screen readers: its caption, or the
// accessible name set for it, which then holds the caption.
::testing::AssertionResult everyControlHasAnAccessibleName(QWidget* window);

// The left mouse button pressed at the centre of `button`, through its window as
// the pointer does it: while it is held the button is drawn down and tells
// screen readers that it is pressed. It is released there afterwards.
::testing::AssertionResult showsPressedWhileHeld(QAbstractButton* button);

} // namespace trvtest
