// The check that a shown form's windows are its model: every named control's window has the
// class the renderer uses for that kind of control, the model's text, bounds (in the form's client
// area), enabled and visible state; captioned controls carry their caption label left of the
// field; the dialog manager tabs through the model's tab sequence; the fonts have glyphs for every
// text shown; the form's client size and caption are the model's.
#pragma once

#include "toolkit/Form.h"

#include <windows.h>

namespace uitest {

// Checks with CHECK; answers the number of controls compared.
int CompareWithModel(tkv::TForm& form, HWND window);

} // namespace uitest
