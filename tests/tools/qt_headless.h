#pragma once

// Chooses Qt's offscreen platform unless QT_QPA_PLATFORM names one, so that GUI tests and
// benchmarks run without a display. Call before the QApplication is made.
void useOffscreenUnlessPlatformSet();
