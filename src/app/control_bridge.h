#pragma once

#include "base/controls.h"

class QWidget;

// The window's parameter controls read and written by control name, so that drawing and
// computing code gets its parameters as ControlValues. A widget takes part when its objectName
// is a known control name: an edit box gives its text, a check box or radio button "true" or
// "false", a radio group its item index, a combo box its current index, a colour label its
// colour as a decimal 0x00BBGGRR. The kept second line of the settings file is a property of
// `root`.

// The known controls, with the values of those that exist under `root` and the built-in value
// for the rest (pages that do not exist yet).
varnolt::ControlValues ReadControlValues(const QWidget& root);

// Writes every value whose control exists under `root`; other names are passed over. With
// `quiet` the controls raise no change signals, for a command that rewrites its own boxes.
void WriteControlValues(QWidget& root, const varnolt::ControlValues& values, bool quiet = false);
