#pragma once

class QWidget;

// The bottom panel under the pages: one row of pointer readout boxes per data set, captions
// "（１）" and "（２）", named from the readout name table. The boxes only show; the pointer
// writes them.
QWidget* BuildReadoutPanel(QWidget* parent);
