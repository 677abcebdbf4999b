// One Qt application per test process, offscreen unless told otherwise.
#pragma once

namespace trvtest {
// Widgets need a QApplication; drawing alone a QGuiApplication.
void ensureApplication(bool widgets = true);
} // namespace trvtest
